RESULTS: 
-----------------------------------
Database ~ LINKERTESTV2007.ACCDB
Tables   ~ 23
Fields   ~ 101
Indexes  ~ 19

SQL SCRIPT(S) 
-----------------------------------

CREATE TABLE MSysAccessStorage (
     Id INT NOT NULL ,
     Name TEXT (128) NOT NULL ,
     ParentId INT NOT NULL ,
     Type INT NOT NULL ,
     DateCreate TIMESTAMP NOT NULL ,
     DateUpdate TIMESTAMP NOT NULL ,
     Lv OLEOBJECT NOT NULL 
)

GO

CREATE INDEX IDX_MSysAccessStorage ON MSysAccessStorage (Id, ParentIdId, ParentIdName)

GO


CREATE TABLE MSysACEs (
     ObjectId INT NOT NULL ,
     SID UNKOWN DATA TYPE (9)
     ACM INT NOT NULL ,
     FInheritable BIT NOT NULL 
)

GO


CREATE TABLE MSysComplexColumns (
     ColumnName TEXT (255) NOT NULL ,
     ComplexTypeObjectID INT NOT NULL ,
     FlatTableID INT NOT NULL ,
     ConceptualTableID INT NOT NULL ,
     ComplexID COUNTER NOT NULL ,
     CONSTRAINT PK_MSysComplexColumns PRIMARY KEY 
     (
          ComplexID
     )
)

GO

CREATE INDEX IDX_MSysComplexColumns ON MSysComplexColumns (IdxConceptualTableID, IdxFlatTableID, IdxID)

GO


CREATE TABLE MSysComplexType_Attachment (
     FileURL MEMO NOT NULL ,
     FileName TEXT (255) NOT NULL ,
     FileType TEXT (255) NOT NULL ,
     FileData OLEOBJECT NOT NULL ,
     FileTimeStamp TIMESTAMP NOT NULL ,
     FileFlags INT NOT NULL 
)

GO


CREATE TABLE MSysComplexType_Decimal (
)

GO


CREATE TABLE MSysComplexType_GUID (
     Value GUID NOT NULL 
)

GO


CREATE TABLE MSysComplexType_IEEEDouble (
     Value FLOAT NOT NULL 
)

GO


CREATE TABLE MSysComplexType_IEEESingle (
     Value REAL NOT NULL 
)

GO


CREATE TABLE MSysComplexType_Long (
     Value INT NOT NULL 
)

GO


CREATE TABLE MSysComplexType_Short (
     Value SMALLINT NOT NULL 
)

GO


CREATE TABLE MSysComplexType_Text (
     Value TEXT (255) NOT NULL 
)

GO


CREATE TABLE MSysComplexType_UnsignedByte (
     Value BYTE NOT NULL 
)

GO


CREATE TABLE MSysNameMap (
     Id INT NOT NULL ,
     Name TEXT (65) NOT NULL ,
     Type INT NOT NULL ,
     GUID GUID NOT NULL ,
     NameMap OLEOBJECT NOT NULL 
)

GO


CREATE TABLE MSysNavPaneGroupCategories (
     Id INT NOT NULL ,
     Name TEXT (255) NOT NULL ,
     Type INT NOT NULL ,
     SelectedObjectID INT NOT NULL ,
     Filter TEXT (255) NOT NULL ,
     Position INT NOT NULL ,
     Flags INT NOT NULL 
)

GO


CREATE TABLE MSysNavPaneGroups (
     Id INT NOT NULL ,
     Name TEXT (255) NOT NULL ,
     GroupCategoryID INT NOT NULL ,
     ObjectID INT NOT NULL ,
     Position INT NOT NULL ,
     Object Type Group INT NOT NULL ,
     Flags INT NOT NULL 
)

GO

CREATE INDEX IDX_MSysNavPaneGroups ON MSysNavPaneGroups (GroupCategoryID, Id, MSysNavPaneGroupCategoriesMSysNavPaneGroups)

GO


CREATE TABLE MSysNavPaneGroupToObjects (
     Id INT NOT NULL ,
     ObjectID INT NOT NULL ,
     GroupID INT NOT NULL ,
     Name TEXT (255) NOT NULL ,
     Position INT NOT NULL ,
     Icon INT NOT NULL ,
     Flags INT NOT NULL 
)

GO

CREATE INDEX IDX_MSysNavPaneGroupToObjects ON MSysNavPaneGroupToObjects (GroupID, Id, MSysNavPaneGroupsMSysNavPaneGroupToObjects)

GO


CREATE TABLE MSysNavPaneObjectIDs (
     Id INT NOT NULL ,
     Name TEXT (65) NOT NULL ,
     Type INT NOT NULL 
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

CREATE INDEX IDX_MSysObjects ON MSysObjects (Id, ParentIdName)

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


CREATE TABLE MSysResources (
     Id INT NOT NULL ,
     Name TEXT (255) NOT NULL ,
     Type TEXT (255) NOT NULL ,
     Extension TEXT (255) NOT NULL 
)

GO

CREATE INDEX IDX_MSysResources ON MSysResources (Data_98341BD1254340CB94362EE67404246A, Id)

GO


CREATE TABLE Table1 (
     ID COUNTER NOT NULL ,
     Field1 TEXT (255) NULL ,
     CONSTRAINT PK_Table1 PRIMARY KEY 
     (
          ID
     )
)

GO


CREATE TABLE Table2 (
     ID COUNTER NOT NULL ,
     Field1 TEXT (255) NULL ,
     CONSTRAINT PK_Table2 PRIMARY KEY 
     (
          ID
     )
)

GO


