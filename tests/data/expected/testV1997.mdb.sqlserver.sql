-- RESULTS: 
-- -----------------------------------
-- Database ~ TESTV1997.MDB
-- Tables   ~ 10
-- Fields   ~ 147
-- Indexes  ~ 0
-- 
-- SQL SCRIPT(S) 
-- -----------------------------------
-- 
CREATE TABLE [MSysACEs] (
    [ObjectId] INT,
    [SID] VARBINARY(255),
    [ACM] INT,
    [FInheritable] BIT NOT NULL DEFAULT 0
);
GO
-- Index ObjectId not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysACEs] TO public;
GO

CREATE TABLE [MSysModules] (
    [__A__] NVARCHAR(255)
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysModules] TO public;
GO

CREATE TABLE [MSysModules2] (
    [Name] NVARCHAR(255),
    [Type] INT,
    [Version] INT NOT NULL IDENTITY(1,1),
    [ReplicationVersion] INT,
    [Flags] INT,
    [Module] VARBINARY(MAX),
    [Form] VARBINARY(MAX),
    [TypeInfo] VARBINARY(MAX)
);
GO
-- Index Index1 not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysModules2] TO public;
GO

CREATE TABLE [MSysObjects] (
    [Id] INT,
    [ParentId] INT,
    [Name] NVARCHAR(255),
    [Type] SMALLINT,
    [DateCreate] DATETIME2,
    [DateUpdate] DATETIME2,
    [Owner] VARBINARY(255),
    [Flags] INT,
    [Database] NVARCHAR(MAX),
    [Connect] NVARCHAR(MAX),
    [ForeignName] NVARCHAR(255),
    [RmtInfoShort] VARBINARY(255),
    [RmtInfoLong] VARBINARY(MAX),
    [Lv] VARBINARY(MAX),
    [LvProp] VARBINARY(MAX),
    [LvModule] VARBINARY(MAX),
    [LvExtra] VARBINARY(MAX)
);
GO
-- Index Id not written: its columns are not known
-- Index ParentIdName not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysObjects] TO public;
GO

CREATE TABLE [MSysQueries] (
    [ObjectId] INT,
    [Attribute] TINYINT,
    [Order] VARBINARY(255),
    [Name1] NVARCHAR(255),
    [Name2] NVARCHAR(255),
    [Expression] NVARCHAR(MAX),
    [Flag] SMALLINT
);
GO
-- Index ObjectIdAttribute not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysQueries] TO public;
GO

CREATE TABLE [MSysRelationships] (
    [szRelationship] NVARCHAR(255),
    [grbit] INT,
    [ccolumn] INT,
    [icolumn] INT,
    [szObject] NVARCHAR(255),
    [szColumn] NVARCHAR(255),
    [szReferencedObject] NVARCHAR(255),
    [szReferencedColumn] NVARCHAR(255)
);
GO
-- Index szObject not written: its columns are not known
-- Index szReferencedObject not written: its columns are not known
-- Index szRelationship not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysRelationships] TO public;
GO

CREATE TABLE [Table1] (
    [A] NVARCHAR(50),
    [B] NVARCHAR(100),
    [C] TINYINT,
    [D] SMALLINT,
    [E] INT,
    [F] FLOAT,
    [G] DATETIME2,
    [H] DECIMAL(19,4),
    [I] BIT NOT NULL DEFAULT 0
);
GO
-- Index B not written: its columns are not known
-- Index PrimaryKey not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1] TO public;
GO

CREATE TABLE [Table2] (
    [column1] NVARCHAR(50),
    [column2] NVARCHAR(50),
    [column3] NVARCHAR(50),
    [column4] NVARCHAR(50),
    [column5] NVARCHAR(50),
    [column6] NVARCHAR(50),
    [column7] NVARCHAR(50),
    [column8] NVARCHAR(50),
    [column9] NVARCHAR(50),
    [column10] NVARCHAR(50),
    [column11] NVARCHAR(50),
    [column12] NVARCHAR(50),
    [column13] NVARCHAR(50),
    [column14] NVARCHAR(50),
    [column15] NVARCHAR(50),
    [column16] NVARCHAR(50),
    [column17] NVARCHAR(50),
    [column18] NVARCHAR(50),
    [column19] NVARCHAR(50),
    [column20] NVARCHAR(50),
    [column21] NVARCHAR(50),
    [column22] NVARCHAR(50),
    [column23] NVARCHAR(50),
    [column24] NVARCHAR(50),
    [column25] NVARCHAR(50),
    [column26] NVARCHAR(50),
    [column27] NVARCHAR(50),
    [column28] NVARCHAR(50),
    [column29] NVARCHAR(50),
    [column30] NVARCHAR(50),
    [column31] NVARCHAR(50),
    [column32] NVARCHAR(50),
    [column33] NVARCHAR(50),
    [column34] NVARCHAR(50),
    [column35] NVARCHAR(50),
    [column36] NVARCHAR(50),
    [column37] NVARCHAR(50),
    [column38] NVARCHAR(50),
    [column39] NVARCHAR(50),
    [column40] NVARCHAR(50),
    [column41] NVARCHAR(50),
    [column42] NVARCHAR(50),
    [column43] NVARCHAR(50),
    [column44] NVARCHAR(50),
    [column45] NVARCHAR(50),
    [column46] NVARCHAR(50),
    [column47] NVARCHAR(50),
    [column48] NVARCHAR(50),
    [column49] NVARCHAR(50),
    [column50] NVARCHAR(50),
    [column51] NVARCHAR(50),
    [column52] NVARCHAR(50),
    [column53] NVARCHAR(50),
    [column54] NVARCHAR(50),
    [column55] NVARCHAR(50),
    [column56] NVARCHAR(50),
    [column57] NVARCHAR(50),
    [column58] NVARCHAR(50),
    [column59] NVARCHAR(50),
    [column60] NVARCHAR(50),
    [column61] NVARCHAR(50),
    [column62] NVARCHAR(50),
    [column63] NVARCHAR(50),
    [column64] NVARCHAR(50),
    [column65] NVARCHAR(50),
    [column66] NVARCHAR(50),
    [column67] NVARCHAR(50),
    [column68] NVARCHAR(50),
    [column69] NVARCHAR(50),
    [column70] NVARCHAR(50),
    [column71] NVARCHAR(50),
    [column72] NVARCHAR(50),
    [column73] NVARCHAR(50),
    [column74] NVARCHAR(50),
    [column75] NVARCHAR(50),
    [column76] NVARCHAR(50),
    [column77] NVARCHAR(50),
    [column78] NVARCHAR(50),
    [column79] NVARCHAR(50),
    [column80] NVARCHAR(50),
    [column81] NVARCHAR(50),
    [column82] NVARCHAR(50),
    [column83] NVARCHAR(50),
    [column84] NVARCHAR(50),
    [column85] NVARCHAR(50),
    [column86] NVARCHAR(50),
    [column87] NVARCHAR(50),
    [column88] NVARCHAR(50),
    [column89] NVARCHAR(50)
);
GO
-- Index column10 not written: its columns are not known
-- Index column14 not written: its columns are not known
-- Index column75 not written: its columns are not known
-- Index id not written: its columns are not known
-- Index PrimaryKey not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table2] TO public;
GO

CREATE TABLE [Table3] (
    [a] INT NOT NULL IDENTITY(1,1),
    [b] NVARCHAR(50)
);
GO
-- Index id not written: its columns are not known
-- Index PrimaryKey not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table3] TO public;
GO

CREATE TABLE [Table4] (
    [name] NVARCHAR(50),
    [data] UNIQUEIDENTIFIER
);
GO
-- Index PrimaryKey not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table4] TO public;
GO

