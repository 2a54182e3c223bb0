-- RESULTS: 
-- -----------------------------------
-- Database ~ INDEXTESTV2000.MDB
-- Tables   ~ 13
-- Fields   ~ 77
-- Indexes  ~ 0
-- 
-- SQL SCRIPT(S) 
-- -----------------------------------
-- 
CREATE TABLE [MSysAccessObjects] (
    [Data] VARBINARY(MAX),
    [ID] INT
);
GO
-- Index AOIndex not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysAccessObjects] TO public;
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

CREATE TABLE [MSysNameMap] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(65),
    [Type] INT,
    [GUID] UNIQUEIDENTIFIER,
    [NameMap] VARBINARY(MAX)
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNameMap] TO public;
GO

CREATE TABLE [MSysNavPaneGroupCategories] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [Type] INT,
    [SelectedObjectID] INT,
    [Filter] NVARCHAR(255),
    [Position] INT,
    [Flags] INT
);
GO
-- Index Id not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNavPaneGroupCategories] TO public;
GO

CREATE TABLE [MSysNavPaneGroups] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [GroupCategoryID] INT,
    [ObjectID] INT,
    [Position] INT,
    [Object Type Group] INT,
    [Flags] INT
);
GO
-- Index GroupCategoryID not written: its columns are not known
-- Index Id not written: its columns are not known
-- Index MSysNavPaneGroupCategoriesMSysNavPaneGroups not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNavPaneGroups] TO public;
GO

CREATE TABLE [MSysNavPaneGroupToObjects] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [ObjectID] INT,
    [GroupID] INT,
    [Name] NVARCHAR(255),
    [Position] INT,
    [Icon] INT,
    [Flags] INT
);
GO
-- Index GroupID not written: its columns are not known
-- Index Id not written: its columns are not known
-- Index MSysNavPaneGroupsMSysNavPaneGroupToObjects not written: its columns are not known
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
    [id] INT,
    [otherfk1] INT,
    [otherfk2] INT,
    [data] NVARCHAR(50),
    [otherfk3] INT
);
GO
-- Index id not written: its columns are not known
-- Index PrimaryKey not written: its columns are not known
-- Index Table2Table1 not written: its columns are not known
-- Index Table3Table1 not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1] TO public;
GO

CREATE TABLE [Table2] (
    [id] INT,
    [data] NVARCHAR(50)
);
GO
-- Index id not written: its columns are not known
-- Index PrimaryKey not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table2] TO public;
GO

CREATE TABLE [Table3] (
    [id] INT,
    [data] NVARCHAR(50)
);
GO
-- Index id not written: its columns are not known
-- Index PrimaryKey not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table3] TO public;
GO

