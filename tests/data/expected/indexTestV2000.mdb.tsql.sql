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

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysAccessObjects  TO public

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


CREATE TABLE Table1 (
     id INT NOT NULL ,
     otherfk1 INT NOT NULL ,
     otherfk2 INT NOT NULL ,
     data VARCHAR (50) NULL ,
     otherfk3 INT NOT NULL 
)

GO

CREATE  INDEX IDX_Table1 ON Table1 (id, Table2Table1, Table3Table1)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table1  TO public

GO


CREATE TABLE Table2 (
     id INT NOT NULL ,
     data VARCHAR (50) NULL 
)

GO

CREATE  INDEX IDX_Table2 ON Table2 (id)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table2  TO public

GO


CREATE TABLE Table3 (
     id INT NOT NULL ,
     data VARCHAR (50) NULL 
)

GO

CREATE  INDEX IDX_Table3 ON Table3 (id)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table3  TO public

GO


