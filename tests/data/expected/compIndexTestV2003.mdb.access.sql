RESULTS: 
-----------------------------------
Database ~ COMPINDEXTESTV2003.MDB
Tables   ~ 10
Fields   ~ 71
Indexes  ~ 12

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

CREATE INDEX IDX_MSysNavPaneGroups ON MSysNavPaneGroups (GroupCategoryID, Id)

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
     CD_AGENTE INT NOT NULL ,
     RS_AGENTE TEXT (55) NULL ,
     DC_AGENTE TEXT (55) NULL 
)

GO


