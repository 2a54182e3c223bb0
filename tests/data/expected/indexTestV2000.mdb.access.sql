RESULTS: 
-----------------------------------
Database ~ INDEXTESTV2000.MDB
Tables   ~ 13
Fields   ~ 77
Indexes  ~ 16

SQL SCRIPT(S) 
-----------------------------------

CREATE TABLE MSysAccessObjects (
     ID INT NOT NULL 
)

GO


CREATE TABLE MSysACEs (
     ObjectId INT NOT NULL ,
     SID UNKOWN DATA TYPE (9)
     ACM INT NOT NULL ,
     FInheritable BIT NOT NULL 
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


CREATE TABLE Table1 (
     id INT NOT NULL ,
     otherfk1 INT NOT NULL ,
     otherfk2 INT NOT NULL ,
     data TEXT (50) NULL ,
     otherfk3 INT NOT NULL 
)

GO

CREATE INDEX IDX_Table1 ON Table1 (id, Table2Table1, Table3Table1)

GO


CREATE TABLE Table2 (
     id INT NOT NULL ,
     data TEXT (50) NULL 
)

GO

CREATE INDEX IDX_Table2 ON Table2 (id)

GO


CREATE TABLE Table3 (
     id INT NOT NULL ,
     data TEXT (50) NULL 
)

GO

CREATE INDEX IDX_Table3 ON Table3 (id)

GO


