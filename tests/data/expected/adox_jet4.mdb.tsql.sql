RESULTS: 
-----------------------------------
Database ~ ADOX_JET4.MDB
Tables   ~ 4
Fields   ~ 37
Indexes  ~ 5

SQL SCRIPT(S) 
-----------------------------------

CREATE TABLE MSysACEs (
     ObjectId INT NOT NULL ,
     SID UNKOWN DATA TYPE (9)
     ACM INT NOT NULL ,
     FInheritable BIT NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysACEs  TO public

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


