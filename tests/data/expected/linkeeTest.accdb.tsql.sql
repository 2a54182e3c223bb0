RESULTS: 
-----------------------------------
Database ~ LINKEETEST.ACCDB
Tables   ~ 23
Fields   ~ 101
Indexes  ~ 19

SQL SCRIPT(S) 
-----------------------------------

CREATE TABLE MSysAccessStorage (
     Id INT NOT NULL ,
     Name VARCHAR (128) NOT NULL ,
     ParentId INT NOT NULL ,
     Type INT NOT NULL ,
     DateCreate DATETIME NOT NULL ,
     DateUpdate DATETIME NOT NULL ,
     Lv IMAGE NOT NULL 
)

GO

CREATE  INDEX IDX_MSysAccessStorage ON MSysAccessStorage (Id, ParentIdId, ParentIdName)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysAccessStorage  TO public

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


CREATE TABLE MSysComplexColumns (
     ColumnName VARCHAR (255) NOT NULL ,
     ComplexTypeObjectID INT NOT NULL ,
     FlatTableID INT NOT NULL ,
     ConceptualTableID INT NOT NULL ,
     ComplexID INT IDENTITY (1,1) NOT NULL ,
     CONSTRAINT PK_MSysComplexColumns PRIMARY KEY  CLUSTERED
     (
          ComplexID
     )
)

GO

CREATE  INDEX IDX_MSysComplexColumns ON MSysComplexColumns (IdxConceptualTableID, IdxFlatTableID, IdxID)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexColumns  TO public

GO


CREATE TABLE MSysComplexType_Attachment (
     FileURL TEXT NOT NULL ,
     FileName VARCHAR (255) NOT NULL ,
     FileType VARCHAR (255) NOT NULL ,
     FileData IMAGE NOT NULL ,
     FileTimeStamp DATETIME NOT NULL ,
     FileFlags INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexType_Attachment  TO public

GO


CREATE TABLE MSysComplexType_Decimal (
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexType_Decimal  TO public

GO


CREATE TABLE MSysComplexType_GUID (
     Value UNKOWN DATA TYPE (15)
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexType_GUID  TO public

GO


CREATE TABLE MSysComplexType_IEEEDouble (
     Value FLOAT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexType_IEEEDouble  TO public

GO


CREATE TABLE MSysComplexType_IEEESingle (
     Value FLOAT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexType_IEEESingle  TO public

GO


CREATE TABLE MSysComplexType_Long (
     Value INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexType_Long  TO public

GO


CREATE TABLE MSysComplexType_Short (
     Value INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexType_Short  TO public

GO


CREATE TABLE MSysComplexType_Text (
     Value VARCHAR (255) NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexType_Text  TO public

GO


CREATE TABLE MSysComplexType_UnsignedByte (
     Value INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexType_UnsignedByte  TO public

GO


CREATE TABLE MSysNameMap (
     Id INT NOT NULL ,
     Name VARCHAR (65) NOT NULL ,
     Type INT NOT NULL ,
     GUID UNKOWN DATA TYPE (15)
     NameMap IMAGE NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysNameMap  TO public

GO


CREATE TABLE MSysNavPaneGroupCategories (
     Id INT NOT NULL ,
     Name VARCHAR (255) NOT NULL ,
     Type INT NOT NULL ,
     SelectedObjectID INT NOT NULL ,
     Filter VARCHAR (255) NOT NULL ,
     Position INT NOT NULL ,
     Flags INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysNavPaneGroupCategories  TO public

GO


CREATE TABLE MSysNavPaneGroups (
     Id INT NOT NULL ,
     Name VARCHAR (255) NOT NULL ,
     GroupCategoryID INT NOT NULL ,
     ObjectID INT NOT NULL ,
     Position INT NOT NULL ,
     Object_Type_Group INT NOT NULL ,
     Flags INT NOT NULL 
)

GO

CREATE  INDEX IDX_MSysNavPaneGroups ON MSysNavPaneGroups (GroupCategoryID, Id, MSysNavPaneGroupCategoriesMSysNavPaneGroups)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysNavPaneGroups  TO public

GO


CREATE TABLE MSysNavPaneGroupToObjects (
     Id INT NOT NULL ,
     ObjectID INT NOT NULL ,
     GroupID INT NOT NULL ,
     Name VARCHAR (255) NOT NULL ,
     Position INT NOT NULL ,
     Icon INT NOT NULL ,
     Flags INT NOT NULL 
)

GO

CREATE  INDEX IDX_MSysNavPaneGroupToObjects ON MSysNavPaneGroupToObjects (GroupID, Id, MSysNavPaneGroupsMSysNavPaneGroupToObjects)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysNavPaneGroupToObjects  TO public

GO


CREATE TABLE MSysNavPaneObjectIDs (
     Id INT NOT NULL ,
     Name VARCHAR (65) NOT NULL ,
     Type INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysNavPaneObjectIDs  TO public

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

CREATE  INDEX IDX_MSysObjects ON MSysObjects (Id, ParentIdName)

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


CREATE TABLE MSysResources (
     Id INT NOT NULL ,
     Name VARCHAR (255) NOT NULL ,
     Type VARCHAR (255) NOT NULL ,
     Extension VARCHAR (255) NOT NULL 
)

GO

CREATE  INDEX IDX_MSysResources ON MSysResources (Data_98341BD1254340CB94362EE67404246A, Id)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysResources  TO public

GO


CREATE TABLE Table1 (
     ID INT IDENTITY (1,1) NOT NULL ,
     Field1 VARCHAR (255) NULL ,
     CONSTRAINT PK_Table1 PRIMARY KEY  CLUSTERED
     (
          ID
     )
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table1  TO public

GO


CREATE TABLE Table2 (
     ID INT IDENTITY (1,1) NOT NULL ,
     Field1 VARCHAR (255) NULL ,
     CONSTRAINT PK_Table2 PRIMARY KEY  CLUSTERED
     (
          ID
     )
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table2  TO public

GO


