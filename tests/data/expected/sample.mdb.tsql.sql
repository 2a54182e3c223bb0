RESULTS: 
-----------------------------------
Database ~ SAMPLE.MDB
Tables   ~ 9
Fields   ~ 77
Indexes  ~ 10

SQL SCRIPT(S) 
-----------------------------------

CREATE TABLE Customers (
     CustomerID INT IDENTITY (1,1) NOT NULL ,
     Company_Name VARCHAR (80) NOT NULL ,
     Contact_Name VARCHAR (60) NULL ,
     Email VARCHAR (120) NULL ,
     Phone VARCHAR (24) NULL ,
     City VARCHAR (40) NULL ,
     Country VARCHAR (40) NULL ,
     Credit_Limit MONEY NOT NULL ,
     Active BIT NOT NULL ,
     Created DATETIME NOT NULL ,
     Notes TEXT NULL ,
     CONSTRAINT PK_Customers PRIMARY KEY  CLUSTERED
     (
          CustomerID
     )
)

GO

CREATE  INDEX IDX_Customers ON Customers (Company Name, Email)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Customers  TO public

GO


CREATE TABLE MSysACEs (
     ObjectId INT NOT NULL ,
     SID UNKOWN DATA TYPE (9)
     ACM INT NOT NULL ,
     FInheritable BIT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysACEs  TO public

GO


CREATE TABLE MSysObjects (
     Id INT NOT NULL ,
     ParentId INT NOT NULL ,
     Name VARCHAR (255) NOT NULL ,
     Type INT NOT NULL ,
     DateCreate DATETIME NOT NULL ,
     DateUpdate DATETIME NOT NULL ,
     Owner UNKOWN DATA TYPE (9)
     Flags INT NOT NULL ,
     Database TEXT NOT NULL ,
     Connect TEXT NOT NULL ,
     ForeignName VARCHAR (255) NOT NULL ,
     RmtInfoShort UNKOWN DATA TYPE (9)
     RmtInfoLong IMAGE NOT NULL ,
     Lv IMAGE NOT NULL ,
     LvProp IMAGE NOT NULL ,
     LvModule IMAGE NOT NULL ,
     LvExtra IMAGE NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysObjects  TO public

GO


CREATE TABLE MSysQueries (
     ObjectId INT NOT NULL ,
     Attribute INT NOT NULL ,
     Order UNKOWN DATA TYPE (9)
     Name1 VARCHAR (255) NOT NULL ,
     Name2 VARCHAR (255) NOT NULL ,
     Expression TEXT NOT NULL ,
     Flag INT NOT NULL ,
     LvExtra INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysQueries  TO public

GO


CREATE TABLE MSysRelationships (
     szRelationship VARCHAR (255) NOT NULL ,
     grbit INT NOT NULL ,
     ccolumn INT NOT NULL ,
     icolumn INT NOT NULL ,
     szObject VARCHAR (255) NOT NULL ,
     szColumn VARCHAR (255) NOT NULL ,
     szReferencedObject VARCHAR (255) NOT NULL ,
     szReferencedColumn VARCHAR (255) NOT NULL 
)

GO

CREATE  INDEX IDX_MSysRelationships ON MSysRelationships (szObject, szReferencedObject, szRelationship)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysRelationships  TO public

GO


CREATE TABLE Order Lines (
     OrderID INT NOT NULL ,
     Line_No INT NOT NULL ,
     ProductID INT NOT NULL ,
     Quantity INT NOT NULL ,
     Unit_Price MONEY NOT NULL ,
     Discount FLOAT NOT NULL 
)

GO

CREATE  INDEX IDX_Order Lines ON Order Lines (ProductID)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Order Lines  TO public

GO


CREATE TABLE Orders (
     OrderID INT IDENTITY (1,1) NOT NULL ,
     CustomerID INT NOT NULL ,
     Order_Date DATETIME NOT NULL ,
     Shipped_Date DATETIME NOT NULL ,
     Ship_Via INT NOT NULL ,
     Freight MONEY NOT NULL ,
     Ship_Address VARCHAR (120) NULL ,
     Tracking_GUID UNKOWN DATA TYPE (15)
     CONSTRAINT PK_Orders PRIMARY KEY  CLUSTERED
     (
          OrderID
     )
)

GO

CREATE  INDEX IDX_Orders ON Orders (CustomerID, Order Date)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Orders  TO public

GO


CREATE TABLE Price List $ (Été 2024) (
     Entry_# INT IDENTITY (1,1) NOT NULL ,
     Product_R_f_ VARCHAR (20) NOT NULL ,
     Prix_HT____ MONEY NOT NULL ,
     Cat_gorie_Groupe VARCHAR (50) NULL ,
     Valid_From DATETIME NOT NULL ,
     Label_Data UNKOWN DATA TYPE (9)
     CONSTRAINT PK_Price List $ (Été 2024) PRIMARY KEY  CLUSTERED
     (
          Entry_#
     )
)

GO

CREATE  INDEX IDX_Price List $ (Été 2024) ON Price List $ (Été 2024) (Product Réf.)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Price List $ (Été 2024)  TO public

GO


CREATE TABLE Products (
     ProductID INT IDENTITY (1,1) NOT NULL ,
     SKU VARCHAR (20) NOT NULL ,
     Product_Name VARCHAR (100) NOT NULL ,
     Unit_Price MONEY NOT NULL ,
     Units_In_Stock INT NOT NULL ,
     Weight__kg_ FLOAT NOT NULL ,
     Discontinued BIT NOT NULL ,
     Photo IMAGE NOT NULL ,
     CONSTRAINT PK_Products PRIMARY KEY  CLUSTERED
     (
          ProductID
     )
)

GO

CREATE  INDEX IDX_Products ON Products (SKU)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Products  TO public

GO


