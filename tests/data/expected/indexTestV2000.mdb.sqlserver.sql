-- RESULTS: 
-- -----------------------------------
-- Database ~ INDEXTESTV2000.MDB
-- Tables   ~ 13
-- Fields   ~ 77
-- Indexes  ~ 14
-- 
-- SQL SCRIPT(S) 
-- -----------------------------------
-- 
CREATE TABLE [MSysAccessObjects] (
    [Data] VARBINARY(MAX),
    [ID] INT NOT NULL,
    PRIMARY KEY ([ID])
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysAccessObjects] TO public;
GO

CREATE TABLE [MSysACEs] (
    [ObjectId] INT,
    [SID] VARBINARY(510),
    [ACM] INT,
    [FInheritable] BIT NOT NULL DEFAULT 0
);
GO
CREATE INDEX [ObjectId] ON [MSysACEs] ([ObjectId]);
GO
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
    [Flags] INT,
    PRIMARY KEY ([Id])
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNavPaneGroupCategories] TO public;
GO

CREATE TABLE [MSysNavPaneGroups] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [GroupCategoryID] INT,
    [ObjectID] INT,
    [Position] INT,
    [Object Type Group] INT,
    [Flags] INT,
    PRIMARY KEY ([Id])
);
GO
CREATE INDEX [GroupCategoryID] ON [MSysNavPaneGroups] ([GroupCategoryID]);
GO
CREATE INDEX [MSysNavPaneGroupCategoriesMSysNavPaneGroups] ON [MSysNavPaneGroups] ([GroupCategoryID]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNavPaneGroups] TO public;
GO

CREATE TABLE [MSysNavPaneGroupToObjects] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [ObjectID] INT,
    [GroupID] INT,
    [Name] NVARCHAR(255),
    [Position] INT,
    [Icon] INT,
    [Flags] INT,
    PRIMARY KEY ([Id])
);
GO
CREATE INDEX [GroupID] ON [MSysNavPaneGroupToObjects] ([GroupID]);
GO
CREATE INDEX [MSysNavPaneGroupsMSysNavPaneGroupToObjects] ON [MSysNavPaneGroupToObjects] ([GroupID]);
GO
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
    [Id] INT NOT NULL,
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
    [LvExtra] VARBINARY(MAX),
    PRIMARY KEY ([Id])
);
GO
CREATE UNIQUE INDEX [ParentIdName] ON [MSysObjects] ([ParentId], [Name]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysObjects] TO public;
GO

CREATE TABLE [MSysQueries] (
    [ObjectId] INT NOT NULL,
    [Attribute] TINYINT NOT NULL,
    [Order] VARBINARY(510) NOT NULL,
    [Name1] NVARCHAR(255),
    [Name2] NVARCHAR(255),
    [Expression] NVARCHAR(MAX),
    [Flag] SMALLINT,
    [LvExtra] INT,
    PRIMARY KEY ([ObjectId], [Attribute], [Order])
);
GO
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
CREATE INDEX [szObject] ON [MSysRelationships] ([szObject]);
GO
CREATE INDEX [szReferencedObject] ON [MSysRelationships] ([szReferencedObject]);
GO
CREATE INDEX [szRelationship] ON [MSysRelationships] ([szRelationship]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysRelationships] TO public;
GO

CREATE TABLE [Table1] (
    [id] INT NOT NULL DEFAULT 0,
    [otherfk1] INT DEFAULT 0,
    [otherfk2] INT DEFAULT 0,
    [data] NVARCHAR(50),
    [otherfk3] INT DEFAULT 0,
    PRIMARY KEY ([id])
);
GO
CREATE INDEX [id] ON [Table1] ([id]);
GO
CREATE INDEX [Table2Table1] ON [Table1] ([otherfk1]);
GO
CREATE INDEX [Table3Table1] ON [Table1] ([otherfk2]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1] TO public;
GO

CREATE TABLE [Table2] (
    [id] INT NOT NULL DEFAULT 0,
    [data] NVARCHAR(50),
    PRIMARY KEY ([id])
);
GO
CREATE INDEX [id] ON [Table2] ([id]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table2] TO public;
GO

CREATE TABLE [Table3] (
    [id] INT NOT NULL DEFAULT 0,
    [data] NVARCHAR(50),
    PRIMARY KEY ([id])
);
GO
CREATE INDEX [id] ON [Table3] ([id]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table3] TO public;
GO

ALTER TABLE [MSysNavPaneGroups] ADD CONSTRAINT [MSysNavPaneGroupCategoriesMSysNavPaneGroups] FOREIGN KEY ([GroupCategoryID]) REFERENCES [MSysNavPaneGroupCategories] ([Id]) ON UPDATE CASCADE ON DELETE CASCADE;
GO
ALTER TABLE [MSysNavPaneGroupToObjects] ADD CONSTRAINT [MSysNavPaneGroupsMSysNavPaneGroupToObjects] FOREIGN KEY ([GroupID]) REFERENCES [MSysNavPaneGroups] ([Id]) ON UPDATE CASCADE ON DELETE CASCADE;
GO
ALTER TABLE [Table1] ADD CONSTRAINT [Table2Table1] FOREIGN KEY ([otherfk1]) REFERENCES [Table2] ([id]) ON DELETE CASCADE;
GO
ALTER TABLE [Table1] ADD CONSTRAINT [Table3Table1] FOREIGN KEY ([otherfk2]) REFERENCES [Table3] ([id]) ON UPDATE CASCADE;
GO

