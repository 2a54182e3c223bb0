RESULTS: 
-----------------------------------
Database ~ COMPLEXDATATESTV2010.ACCDB
Tables   ~ 25
Fields   ~ 113
Indexes  ~ 25

SQL SCRIPT(S) 
-----------------------------------

CREATE TABLE MSysAccessStorage (
     DateCreate DATETIME NOT NULL ,
     DateUpdate DATETIME NOT NULL ,
     Id INT NOT NULL ,
     Lv IMAGE NOT NULL ,
     Name VARCHAR (128) NOT NULL ,
     ParentId INT NOT NULL ,
     Type INT NOT NULL 
)

GO

CREATE  INDEX IDX_MSysAccessStorage ON MSysAccessStorage (Id, ParentIdId, ParentIdName)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysAccessStorage  TO public

GO


CREATE TABLE MSysAccessXML (
     Id INT NOT NULL ,
     LValue IMAGE NOT NULL ,
     ObjectGuid UNKOWN DATA TYPE (15)
     ObjectName VARCHAR (65) NOT NULL ,
     Property VARCHAR (65) NOT NULL ,
     Value VARCHAR (255) NOT NULL 
)

GO

CREATE  INDEX IDX_MSysAccessXML ON MSysAccessXML (Id, ObjectGuidProperty, ObjectNameProperty)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysAccessXML  TO public

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


CREATE TABLE MSysComplexTypeVH_7B4A12A4BE0B4564884754E9E31577B2 (
     append_memo_data TEXT NOT NULL ,
     Modified_F9B5E312_4155_4c59_9AAE_391C1B295827 DATETIME NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexTypeVH_7B4A12A4BE0B4564884754E9E31577B2  TO public

GO


CREATE TABLE MSysComplexTypeVH_E861D651DAC0459D9E610CDAADB46706 (
     append_memo_data TEXT NOT NULL ,
     Modified_F9B5E312_4155_4c59_9AAE_391C1B295827 DATETIME NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysComplexTypeVH_E861D651DAC0459D9E610CDAADB46706  TO public

GO


CREATE TABLE MSysNameMap (
     GUID UNKOWN DATA TYPE (15)
     Id INT NOT NULL ,
     Name VARCHAR (65) NOT NULL ,
     NameMap IMAGE NOT NULL ,
     Type INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysNameMap  TO public

GO


CREATE TABLE MSysNavPaneGroupCategories (
     Filter VARCHAR (255) NOT NULL ,
     Flags INT NOT NULL ,
     Id INT NOT NULL ,
     Name VARCHAR (255) NOT NULL ,
     Position INT NOT NULL ,
     SelectedObjectID INT NOT NULL ,
     Type INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysNavPaneGroupCategories  TO public

GO


CREATE TABLE MSysNavPaneGroups (
     Flags INT NOT NULL ,
     GroupCategoryID INT NOT NULL ,
     Id INT NOT NULL ,
     Name VARCHAR (255) NOT NULL ,
     Object_Type_Group INT NOT NULL ,
     ObjectID INT NOT NULL ,
     Position INT NOT NULL 
)

GO

CREATE  INDEX IDX_MSysNavPaneGroups ON MSysNavPaneGroups (GroupCategoryID, Id, MSysNavPaneGroupCategoriesMSysNavPaneGroups)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysNavPaneGroups  TO public

GO


CREATE TABLE MSysNavPaneGroupToObjects (
     Flags INT NOT NULL ,
     GroupID INT NOT NULL ,
     Icon INT NOT NULL ,
     Id INT NOT NULL ,
     Name VARCHAR (255) NOT NULL ,
     ObjectID INT NOT NULL ,
     Position INT NOT NULL 
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
     Extension VARCHAR (255) NOT NULL ,
     Id INT NOT NULL ,
     Name VARCHAR (255) NOT NULL ,
     Type VARCHAR (255) NOT NULL 
)

GO

CREATE  INDEX IDX_MSysResources ON MSysResources (Data_576C09C9D7FB4286A8B855AC6D5A8D07, Id)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysResources  TO public

GO


CREATE TABLE Table1 (
     id VARCHAR (255) NULL ,
     memo_data TEXT NULL ,
     append_memo_data TEXT NULL 
)

GO

CREATE  INDEX IDX_Table1 ON Table1 (attach-data_071D71EDD53D45A1A9089929F06857D9, multi-value-data_F4C67B0F60124C1989D5583C00CF76E2, VersionHistory_F5F8918F-0A3F-4D_6E54CCBB170741DD8FD837271ED8B90C)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table1  TO public

GO


