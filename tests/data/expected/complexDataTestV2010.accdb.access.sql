RESULTS: 
-----------------------------------
Database ~ COMPLEXDATATESTV2010.ACCDB
Tables   ~ 25
Fields   ~ 113
Indexes  ~ 25

SQL SCRIPT(S) 
-----------------------------------

CREATE TABLE MSysAccessStorage (
     DateCreate TIMESTAMP NOT NULL ,
     DateUpdate TIMESTAMP NOT NULL ,
     Id INT NOT NULL ,
     Lv OLEOBJECT NOT NULL ,
     Name TEXT (128) NOT NULL ,
     ParentId INT NOT NULL ,
     Type INT NOT NULL 
)

GO

CREATE INDEX IDX_MSysAccessStorage ON MSysAccessStorage (Id, ParentIdId, ParentIdName)

GO


CREATE TABLE MSysAccessXML (
     Id INT NOT NULL ,
     LValue OLEOBJECT NOT NULL ,
     ObjectGuid GUID NOT NULL ,
     ObjectName TEXT (65) NOT NULL ,
     Property TEXT (65) NOT NULL ,
     Value TEXT (255) NOT NULL 
)

GO

CREATE INDEX IDX_MSysAccessXML ON MSysAccessXML (Id, ObjectGuidProperty, ObjectNameProperty)

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


CREATE TABLE MSysComplexTypeVH_7B4A12A4BE0B4564884754E9E31577B2 (
     append-memo-data MEMO NOT NULL ,
     Modified_F9B5E312-4155-4c59-9AAE-391C1B295827 TIMESTAMP NOT NULL 
)

GO


CREATE TABLE MSysComplexTypeVH_E861D651DAC0459D9E610CDAADB46706 (
     append-memo-data MEMO NOT NULL ,
     Modified_F9B5E312-4155-4c59-9AAE-391C1B295827 TIMESTAMP NOT NULL 
)

GO


CREATE TABLE MSysNameMap (
     GUID GUID NOT NULL ,
     Id INT NOT NULL ,
     Name TEXT (65) NOT NULL ,
     NameMap OLEOBJECT NOT NULL ,
     Type INT NOT NULL 
)

GO


CREATE TABLE MSysNavPaneGroupCategories (
     Filter TEXT (255) NOT NULL ,
     Flags INT NOT NULL ,
     Id INT NOT NULL ,
     Name TEXT (255) NOT NULL ,
     Position INT NOT NULL ,
     SelectedObjectID INT NOT NULL ,
     Type INT NOT NULL 
)

GO


CREATE TABLE MSysNavPaneGroups (
     Flags INT NOT NULL ,
     GroupCategoryID INT NOT NULL ,
     Id INT NOT NULL ,
     Name TEXT (255) NOT NULL ,
     Object Type Group INT NOT NULL ,
     ObjectID INT NOT NULL ,
     Position INT NOT NULL 
)

GO

CREATE INDEX IDX_MSysNavPaneGroups ON MSysNavPaneGroups (GroupCategoryID, Id, MSysNavPaneGroupCategoriesMSysNavPaneGroups)

GO


CREATE TABLE MSysNavPaneGroupToObjects (
     Flags INT NOT NULL ,
     GroupID INT NOT NULL ,
     Icon INT NOT NULL ,
     Id INT NOT NULL ,
     Name TEXT (255) NOT NULL ,
     ObjectID INT NOT NULL ,
     Position INT NOT NULL 
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
     Extension TEXT (255) NOT NULL ,
     Id INT NOT NULL ,
     Name TEXT (255) NOT NULL ,
     Type TEXT (255) NOT NULL 
)

GO

CREATE INDEX IDX_MSysResources ON MSysResources (Data_576C09C9D7FB4286A8B855AC6D5A8D07, Id)

GO


CREATE TABLE Table1 (
     id TEXT (255) NULL ,
     memo-data MEMO NULL ,
     append-memo-data MEMO NULL 
)

GO

CREATE INDEX IDX_Table1 ON Table1 (attach-data_071D71EDD53D45A1A9089929F06857D9, multi-value-data_F4C67B0F60124C1989D5583C00CF76E2, VersionHistory_F5F8918F-0A3F-4D_6E54CCBB170741DD8FD837271ED8B90C)

GO


