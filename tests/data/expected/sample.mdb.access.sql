RESULTS: 
-----------------------------------
Database ~ SAMPLE.MDB
Tables   ~ 9
Fields   ~ 77
Indexes  ~ 10

SQL SCRIPT(S) 
-----------------------------------

CREATE TABLE Customers (
     CustomerID COUNTER NOT NULL ,
     Company Name TEXT (80) NOT NULL ,
     Contact Name TEXT (60) NULL ,
     Email TEXT (120) NULL ,
     Phone TEXT (24) NULL ,
     City TEXT (40) NULL ,
     Country TEXT (40) NULL ,
     Credit Limit MONEY NOT NULL ,
     Active BIT NOT NULL ,
     Created TIMESTAMP NOT NULL ,
     Notes MEMO NULL ,
     CONSTRAINT PK_Customers PRIMARY KEY 
     (
          CustomerID
     )
)

GO

CREATE INDEX IDX_Customers ON Customers (Company Name, Email)

GO


CREATE TABLE MSysACEs (
     ObjectId INT NOT NULL ,
     SID UNKOWN DATA TYPE (9)
     ACM INT NOT NULL ,
     FInheritable BIT NOT NULL 
)

GO


CREATE TABLE MSysObjects (
     Id INT NOT NULL ,
     ParentId INT NOT NULL ,
     Name TEXT (255) NOT NULL ,
     Type SMALLINT NOT NULL ,
     DateCreate TIMESTAMP NOT NULL ,
     DateUpdate TIMESTAMP NOT NULL ,
     Owner UNKOWN DATA TYPE (9)
     Flags INT NOT NULL ,
     Database MEMO NOT NULL ,
     Connect MEMO NOT NULL ,
     ForeignName TEXT (255) NOT NULL ,
     RmtInfoShort UNKOWN DATA TYPE (9)
     RmtInfoLong OLEOBJECT NOT NULL ,
     Lv OLEOBJECT NOT NULL ,
     LvProp OLEOBJECT NOT NULL ,
     LvModule OLEOBJECT NOT NULL ,
     LvExtra OLEOBJECT NOT NULL 
)

GO


CREATE TABLE MSysQueries (
     ObjectId INT NOT NULL ,
     Attribute BYTE NOT NULL ,
     Order UNKOWN DATA TYPE (9)
     Name1 TEXT (255) NOT NULL ,
     Name2 TEXT (255) NOT NULL ,
     Expression MEMO NOT NULL ,
     Flag SMALLINT NOT NULL ,
     LvExtra INT NOT NULL 
)

GO


CREATE TABLE MSysRelationships (
     szRelationship TEXT (255) NOT NULL ,
     grbit INT NOT NULL ,
     ccolumn INT NOT NULL ,
     icolumn INT NOT NULL ,
     szObject TEXT (255) NOT NULL ,
     szColumn TEXT (255) NOT NULL ,
     szReferencedObject TEXT (255) NOT NULL ,
     szReferencedColumn TEXT (255) NOT NULL 
)

GO

CREATE INDEX IDX_MSysRelationships ON MSysRelationships (szObject, szReferencedObject, szRelationship)

GO


CREATE TABLE Order Lines (
     OrderID INT NOT NULL ,
     Line No SMALLINT NOT NULL ,
     ProductID INT NOT NULL ,
     Quantity SMALLINT NOT NULL ,
     Unit Price MONEY NOT NULL ,
     Discount FLOAT NOT NULL 
)

GO

CREATE INDEX IDX_Order Lines ON Order Lines (ProductID)

GO


CREATE TABLE Orders (
     OrderID COUNTER NOT NULL ,
     CustomerID INT NOT NULL ,
     Order Date TIMESTAMP NOT NULL ,
     Shipped Date TIMESTAMP NOT NULL ,
     Ship Via BYTE NOT NULL ,
     Freight MONEY NOT NULL ,
     Ship Address TEXT (120) NULL ,
     Tracking GUID GUID NOT NULL ,
     CONSTRAINT PK_Orders PRIMARY KEY 
     (
          OrderID
     )
)

GO

CREATE INDEX IDX_Orders ON Orders (CustomerID, Order Date)

GO


CREATE TABLE Price List $ (Été 2024) (
     Entry # COUNTER NOT NULL ,
     Product Réf. TEXT (20) NOT NULL ,
     Prix HT ($) MONEY NOT NULL ,
     Catégorie/Groupe TEXT (50) NULL ,
     Valid From TIMESTAMP NOT NULL ,
     Label-Data UNKOWN DATA TYPE (9)
     CONSTRAINT PK_Price List $ (Été 2024) PRIMARY KEY 
     (
          Entry #
     )
)

GO

CREATE INDEX IDX_Price List $ (Été 2024) ON Price List $ (Été 2024) (Product Réf.)

GO


CREATE TABLE Products (
     ProductID COUNTER NOT NULL ,
     SKU TEXT (20) NOT NULL ,
     Product Name TEXT (100) NOT NULL ,
     Unit Price MONEY NOT NULL ,
     Units In Stock SMALLINT NOT NULL ,
     Weight (kg) REAL NOT NULL ,
     Discontinued BIT NOT NULL ,
     Photo OLEOBJECT NOT NULL ,
     CONSTRAINT PK_Products PRIMARY KEY 
     (
          ProductID
     )
)

GO

CREATE INDEX IDX_Products ON Products (SKU)

GO


