RESULTS: 
-----------------------------------
Database ~ CALCFIELDTESTV2010.ACCDB
Tables   ~ 25
Fields   ~ 141
Indexes  ~ 23

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


CREATE TABLE MSysIMEXColumns (
     SpecID INT NOT NULL ,
     FieldName VARCHAR (64) NOT NULL ,
     DataType INT NOT NULL ,
     Start INT NOT NULL ,
     Width INT NOT NULL ,
     IndexType INT NOT NULL ,
     SkipColumn BIT NOT NULL ,
     Attributes INT NOT NULL 
)

GO

CREATE  INDEX IDX_MSysIMEXColumns ON MSysIMEXColumns (Index1)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysIMEXColumns  TO public

GO


CREATE TABLE MSysIMEXSpecs (
     SpecName VARCHAR (64) NOT NULL ,
     SpecID INT NOT NULL ,
     SpecType INT NOT NULL ,
     FileType INT NOT NULL ,
     DateFourDigitYear BIT NOT NULL ,
     DateLeadingZeros BIT NOT NULL ,
     DateOrder INT NOT NULL ,
     DateDelim VARCHAR (2) NOT NULL ,
     TimeDelim VARCHAR (2) NOT NULL ,
     DecimalPoint VARCHAR (2) NOT NULL ,
     FieldSeparator VARCHAR (2) NOT NULL ,
     TextDelim VARCHAR (2) NOT NULL ,
     StartRow INT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysIMEXSpecs  TO public

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

CREATE  INDEX IDX_MSysResources ON MSysResources (Data_489EBADE3DCC4028B9E16FD47C16C104, Id)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysResources  TO public

GO


CREATE TABLE Table1 (
     ID INT IDENTITY (1,1) NOT NULL ,
     FirstName VARCHAR (255) NULL ,
     LastName VARCHAR (255) NULL ,
     LastFirst VARCHAR (243) NOT NULL ,
     City VARCHAR (255) NULL ,
     LastFirstLen INT NOT NULL ,
     Salary MONEY NOT NULL ,
     MonthlySalary MONEY NOT NULL ,
     IsRich BIT NOT NULL ,
     AllNames TEXT NOT NULL ,
     SalaryTest MONEY NOT NULL ,
     BoolTest BIT NOT NULL ,
     FloatTest FLOAT NOT NULL ,
     CONSTRAINT PK_Table1 PRIMARY KEY  CLUSTERED
     (
          ID
     )
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table1  TO public

GO


