RESULTS: 
-----------------------------------
Database ~ TESTV1997.MDB
Tables   ~ 10
Fields   ~ 147
Indexes  ~ 11

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


CREATE TABLE MSysModules (
     __A__ VARCHAR (255) NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysModules  TO public

GO


CREATE TABLE MSysModules2 (
     Name VARCHAR (255) NOT NULL ,
     Type INT NOT NULL ,
     Version INT NOT NULL ,
     ReplicationVersion INT NOT NULL ,
     Flags INT NOT NULL ,
     Module IMAGE NOT NULL ,
     Form IMAGE NOT NULL ,
     TypeInfo IMAGE NOT NULL 
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON MSysModules2  TO public

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
     Flag INT NOT NULL 
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
     A VARCHAR (50) NOT NULL ,
     B VARCHAR (100) NOT NULL ,
     C INT NOT NULL ,
     D INT NOT NULL ,
     E INT NOT NULL ,
     F FLOAT NOT NULL ,
     G DATETIME NOT NULL ,
     H MONEY NOT NULL ,
     I BIT NOT NULL 
)

GO

CREATE  INDEX IDX_Table1 ON Table1 (B)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table1  TO public

GO


CREATE TABLE Table2 (
     column1 VARCHAR (50) NULL ,
     column2 VARCHAR (50) NULL ,
     column3 VARCHAR (50) NULL ,
     column4 VARCHAR (50) NULL ,
     column5 VARCHAR (50) NULL ,
     column6 VARCHAR (50) NULL ,
     column7 VARCHAR (50) NULL ,
     column8 VARCHAR (50) NULL ,
     column9 VARCHAR (50) NULL ,
     column10 VARCHAR (50) NULL ,
     column11 VARCHAR (50) NULL ,
     column12 VARCHAR (50) NULL ,
     column13 VARCHAR (50) NULL ,
     column14 VARCHAR (50) NULL ,
     column15 VARCHAR (50) NULL ,
     column16 VARCHAR (50) NULL ,
     column17 VARCHAR (50) NULL ,
     column18 VARCHAR (50) NULL ,
     column19 VARCHAR (50) NULL ,
     column20 VARCHAR (50) NULL ,
     column21 VARCHAR (50) NULL ,
     column22 VARCHAR (50) NULL ,
     column23 VARCHAR (50) NULL ,
     column24 VARCHAR (50) NULL ,
     column25 VARCHAR (50) NULL ,
     column26 VARCHAR (50) NULL ,
     column27 VARCHAR (50) NULL ,
     column28 VARCHAR (50) NULL ,
     column29 VARCHAR (50) NULL ,
     column30 VARCHAR (50) NULL ,
     column31 VARCHAR (50) NULL ,
     column32 VARCHAR (50) NULL ,
     column33 VARCHAR (50) NULL ,
     column34 VARCHAR (50) NULL ,
     column35 VARCHAR (50) NULL ,
     column36 VARCHAR (50) NULL ,
     column37 VARCHAR (50) NULL ,
     column38 VARCHAR (50) NULL ,
     column39 VARCHAR (50) NULL ,
     column40 VARCHAR (50) NULL ,
     column41 VARCHAR (50) NULL ,
     column42 VARCHAR (50) NULL ,
     column43 VARCHAR (50) NULL ,
     column44 VARCHAR (50) NULL ,
     column45 VARCHAR (50) NULL ,
     column46 VARCHAR (50) NULL ,
     column47 VARCHAR (50) NULL ,
     column48 VARCHAR (50) NULL ,
     column49 VARCHAR (50) NULL ,
     column50 VARCHAR (50) NULL ,
     column51 VARCHAR (50) NULL ,
     column52 VARCHAR (50) NULL ,
     column53 VARCHAR (50) NULL ,
     column54 VARCHAR (50) NULL ,
     column55 VARCHAR (50) NULL ,
     column56 VARCHAR (50) NULL ,
     column57 VARCHAR (50) NULL ,
     column58 VARCHAR (50) NULL ,
     column59 VARCHAR (50) NULL ,
     column60 VARCHAR (50) NULL ,
     column61 VARCHAR (50) NULL ,
     column62 VARCHAR (50) NULL ,
     column63 VARCHAR (50) NULL ,
     column64 VARCHAR (50) NULL ,
     column65 VARCHAR (50) NULL ,
     column66 VARCHAR (50) NULL ,
     column67 VARCHAR (50) NULL ,
     column68 VARCHAR (50) NULL ,
     column69 VARCHAR (50) NULL ,
     column70 VARCHAR (50) NULL ,
     column71 VARCHAR (50) NULL ,
     column72 VARCHAR (50) NULL ,
     column73 VARCHAR (50) NULL ,
     column74 VARCHAR (50) NULL ,
     column75 VARCHAR (50) NULL ,
     column76 VARCHAR (50) NULL ,
     column77 VARCHAR (50) NULL ,
     column78 VARCHAR (50) NULL ,
     column79 VARCHAR (50) NULL ,
     column80 VARCHAR (50) NULL ,
     column81 VARCHAR (50) NULL ,
     column82 VARCHAR (50) NULL ,
     column83 VARCHAR (50) NULL ,
     column84 VARCHAR (50) NULL ,
     column85 VARCHAR (50) NULL ,
     column86 VARCHAR (50) NULL ,
     column87 VARCHAR (50) NULL ,
     column88 VARCHAR (50) NULL ,
     column89 VARCHAR (50) NULL 
)

GO

CREATE  INDEX IDX_Table2 ON Table2 (column10, column14, column75, id)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table2  TO public

GO


CREATE TABLE Table3 (
     a INT IDENTITY (1,1) NOT NULL ,
     b VARCHAR (50) NOT NULL ,
     CONSTRAINT PK_Table3 PRIMARY KEY  CLUSTERED
     (
          a
     )
)

GO

CREATE  INDEX IDX_Table3 ON Table3 (id)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table3  TO public

GO


CREATE TABLE Table4 (
     name VARCHAR (50) NOT NULL ,
     data UNKOWN DATA TYPE (15)
)

GO

GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON Table4  TO public

GO


