RESULTS: 
-----------------------------------
Database ~ TESTV2007.ACCDB
Tables   ~ 23
Fields   ~ 189
Indexes  ~ 21

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

CREATE INDEX IDX_MSysNavPaneGroups ON MSysNavPaneGroups (GroupCategoryID, Id)

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

CREATE INDEX IDX_MSysNavPaneGroupToObjects ON MSysNavPaneGroupToObjects (GroupID, Id)

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


CREATE TABLE Table1 (
     A TEXT (50) NOT NULL ,
     B TEXT (100) NOT NULL ,
     C BYTE NOT NULL ,
     D SMALLINT NOT NULL ,
     E INT NOT NULL ,
     F FLOAT NOT NULL ,
     G TIMESTAMP NOT NULL ,
     H MONEY NOT NULL ,
     I BIT NOT NULL 
)

GO

CREATE INDEX IDX_Table1 ON Table1 (B)

GO


CREATE TABLE Table2 (
     column1 TEXT (50) NULL ,
     column2 TEXT (50) NULL ,
     column3 TEXT (50) NULL ,
     column4 TEXT (50) NULL ,
     column5 TEXT (50) NULL ,
     column6 TEXT (50) NULL ,
     column7 TEXT (50) NULL ,
     column8 TEXT (50) NULL ,
     column9 TEXT (50) NULL ,
     column10 TEXT (50) NULL ,
     column11 TEXT (50) NULL ,
     column12 TEXT (50) NULL ,
     column13 TEXT (50) NULL ,
     column14 TEXT (50) NULL ,
     column15 TEXT (50) NULL ,
     column16 TEXT (50) NULL ,
     column17 TEXT (50) NULL ,
     column18 TEXT (50) NULL ,
     column19 TEXT (50) NULL ,
     column20 TEXT (50) NULL ,
     column21 TEXT (50) NULL ,
     column22 TEXT (50) NULL ,
     column23 TEXT (50) NULL ,
     column24 TEXT (50) NULL ,
     column25 TEXT (50) NULL ,
     column26 TEXT (50) NULL ,
     column27 TEXT (50) NULL ,
     column28 TEXT (50) NULL ,
     column29 TEXT (50) NULL ,
     column30 TEXT (50) NULL ,
     column31 TEXT (50) NULL ,
     column32 TEXT (50) NULL ,
     column33 TEXT (50) NULL ,
     column34 TEXT (50) NULL ,
     column35 TEXT (50) NULL ,
     column36 TEXT (50) NULL ,
     column37 TEXT (50) NULL ,
     column38 TEXT (50) NULL ,
     column39 TEXT (50) NULL ,
     column40 TEXT (50) NULL ,
     column41 TEXT (50) NULL ,
     column42 TEXT (50) NULL ,
     column43 TEXT (50) NULL ,
     column44 TEXT (50) NULL ,
     column45 TEXT (50) NULL ,
     column46 TEXT (50) NULL ,
     column47 TEXT (50) NULL ,
     column48 TEXT (50) NULL ,
     column49 TEXT (50) NULL ,
     column50 TEXT (50) NULL ,
     column51 TEXT (50) NULL ,
     column52 TEXT (50) NULL ,
     column53 TEXT (50) NULL ,
     column54 TEXT (50) NULL ,
     column55 TEXT (50) NULL ,
     column56 TEXT (50) NULL ,
     column57 TEXT (50) NULL ,
     column58 TEXT (50) NULL ,
     column59 TEXT (50) NULL ,
     column60 TEXT (50) NULL ,
     column61 TEXT (50) NULL ,
     column62 TEXT (50) NULL ,
     column63 TEXT (50) NULL ,
     column64 TEXT (50) NULL ,
     column65 TEXT (50) NULL ,
     column66 TEXT (50) NULL ,
     column67 TEXT (50) NULL ,
     column68 TEXT (50) NULL ,
     column69 TEXT (50) NULL ,
     column70 TEXT (50) NULL ,
     column71 TEXT (50) NULL ,
     column72 TEXT (50) NULL ,
     column73 TEXT (50) NULL ,
     column74 TEXT (50) NULL ,
     column75 TEXT (50) NULL ,
     column76 TEXT (50) NULL ,
     column77 TEXT (50) NULL ,
     column78 TEXT (50) NULL ,
     column79 TEXT (50) NULL ,
     column80 TEXT (50) NULL ,
     column81 TEXT (50) NULL ,
     column82 TEXT (50) NULL ,
     column83 TEXT (50) NULL ,
     column84 TEXT (50) NULL ,
     column85 TEXT (50) NULL ,
     column86 TEXT (50) NULL ,
     column87 TEXT (50) NULL ,
     column88 TEXT (50) NULL ,
     column89 TEXT (50) NULL 
)

GO

CREATE INDEX IDX_Table2 ON Table2 (column10, column14, column75, id)

GO


CREATE TABLE Table3 (
     a COUNTER NOT NULL ,
     b TEXT (50) NOT NULL ,
     CONSTRAINT PK_Table3 PRIMARY KEY 
     (
          a
     )
)

GO

CREATE INDEX IDX_Table3 ON Table3 (id)

GO


CREATE TABLE Table4 (
     name TEXT (50) NOT NULL ,
     data GUID NOT NULL 
)

GO


