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


