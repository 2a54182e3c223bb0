-- RESULTS: 
-- -----------------------------------
-- Database ~ TESTV2007.ACCDB
-- Tables   ~ 23
-- Fields   ~ 189
-- Indexes  ~ 0
-- 
-- SQL SCRIPT(S) 
-- -----------------------------------
-- 
CREATE TABLE [MSysAccessStorage] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(128),
    [ParentId] INT,
    [Type] INT,
    [DateCreate] DATETIME2,
    [DateUpdate] DATETIME2,
    [Lv] VARBINARY(MAX)
);
GO
-- Index Id not written: its columns are not known
-- Index ParentIdId not written: its columns are not known
-- Index ParentIdName not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysAccessStorage] TO public;
GO

CREATE TABLE [MSysACEs] (
    [ObjectId] INT,
    [SID] VARBINARY(510),
    [ACM] INT,
    [FInheritable] BIT NOT NULL DEFAULT 0
);
GO
-- Index ObjectId not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysACEs] TO public;
GO

CREATE TABLE [MSysComplexColumns] (
    [ColumnName] NVARCHAR(255),
    [ComplexTypeObjectID] INT,
    [FlatTableID] INT,
    [ConceptualTableID] INT,
    [ComplexID] INT NOT NULL IDENTITY(1,1)
);
GO
-- Index IdxConceptualTableID not written: its columns are not known
-- Index IdxFlatTableID not written: its columns are not known
-- Index IdxID not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexColumns] TO public;
GO

CREATE TABLE [MSysComplexType_Attachment] (
    [FileURL] NVARCHAR(MAX),
    [FileName] NVARCHAR(255),
    [FileType] NVARCHAR(255),
    [FileData] VARBINARY(MAX),
    [FileTimeStamp] DATETIME2,
    [FileFlags] INT
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexType_Attachment] TO public;
GO

CREATE TABLE [MSysComplexType_Decimal] (
    [Value] DECIMAL(18,0)
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexType_Decimal] TO public;
GO

CREATE TABLE [MSysComplexType_GUID] (
    [Value] UNIQUEIDENTIFIER
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexType_GUID] TO public;
GO

CREATE TABLE [MSysComplexType_IEEEDouble] (
    [Value] FLOAT
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexType_IEEEDouble] TO public;
GO

CREATE TABLE [MSysComplexType_IEEESingle] (
    [Value] REAL
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexType_IEEESingle] TO public;
GO

CREATE TABLE [MSysComplexType_Long] (
    [Value] INT
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexType_Long] TO public;
GO

CREATE TABLE [MSysComplexType_Short] (
    [Value] SMALLINT
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexType_Short] TO public;
GO

CREATE TABLE [MSysComplexType_Text] (
    [Value] NVARCHAR(255)
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexType_Text] TO public;
GO

CREATE TABLE [MSysComplexType_UnsignedByte] (
    [Value] TINYINT
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexType_UnsignedByte] TO public;
GO

CREATE TABLE [MSysNavPaneGroupCategories] (
    [Filter] NVARCHAR(255),
    [Flags] INT,
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [Position] INT,
    [SelectedObjectID] INT,
    [Type] INT
);
GO
-- Index Id not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNavPaneGroupCategories] TO public;
GO

CREATE TABLE [MSysNavPaneGroups] (
    [Flags] INT,
    [GroupCategoryID] INT,
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [Object Type Group] INT,
    [ObjectID] INT,
    [Position] INT
);
GO
-- Index GroupCategoryID not written: its columns are not known
-- Index Id not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNavPaneGroups] TO public;
GO

CREATE TABLE [MSysNavPaneGroupToObjects] (
    [Flags] INT,
    [GroupID] INT,
    [Icon] INT,
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [ObjectID] INT,
    [Position] INT
);
GO
-- Index GroupID not written: its columns are not known
-- Index Id not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNavPaneGroupToObjects] TO public;
GO

CREATE TABLE [MSysNavPaneObjectIDs] (
    [Id] INT,
    [Name] NVARCHAR(65),
    [Type] INT
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNavPaneObjectIDs] TO public;
GO

CREATE TABLE [MSysObjects] (
    [Id] INT,
    [ParentId] INT,
    [Name] NVARCHAR(255),
    [Type] SMALLINT,
    [DateCreate] DATETIME2,
    [DateUpdate] DATETIME2,
    [Owner] VARBINARY(510),
    [Flags] INT,
    [Database] NVARCHAR(MAX),
    [Connect] NVARCHAR(MAX),
    [ForeignName] NVARCHAR(255),
    [RmtInfoShort] VARBINARY(510),
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
    [Order] VARBINARY(510),
    [Name1] NVARCHAR(255),
    [Name2] NVARCHAR(255),
    [Expression] NVARCHAR(MAX),
    [Flag] SMALLINT,
    [LvExtra] INT
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

