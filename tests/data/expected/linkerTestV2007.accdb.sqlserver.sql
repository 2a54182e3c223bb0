-- RESULTS: 
-- -----------------------------------
-- Database ~ LINKERTESTV2007.ACCDB
-- Tables   ~ 23
-- Fields   ~ 101
-- Indexes  ~ 13
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
    [Lv] VARBINARY(MAX),
    PRIMARY KEY ([Id])
);
GO
CREATE UNIQUE INDEX [ParentIdId] ON [MSysAccessStorage] ([ParentId], [Id]);
GO
CREATE UNIQUE INDEX [ParentIdName] ON [MSysAccessStorage] ([ParentId], [Name]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysAccessStorage] TO public;
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

CREATE TABLE [MSysComplexColumns] (
    [ColumnName] NVARCHAR(255),
    [ComplexTypeObjectID] INT,
    [FlatTableID] INT,
    [ConceptualTableID] INT,
    [ComplexID] INT NOT NULL IDENTITY(1,1),
    PRIMARY KEY ([ComplexID])
);
GO
CREATE INDEX [IdxConceptualTableID] ON [MSysComplexColumns] ([ConceptualTableID]);
GO
CREATE INDEX [IdxFlatTableID] ON [MSysComplexColumns] ([FlatTableID]);
GO
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

-- Column Data is an attachment column: its values are in the table MSysResources_Data
CREATE TABLE [MSysResources] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [Type] NVARCHAR(255),
    [Extension] NVARCHAR(255),
    PRIMARY KEY ([Id])
);
GO
-- Index Data_98341BD1254340CB94362EE67404246A not written: its column Data is not in the script
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysResources] TO public;
GO

-- Table MSysResources_Data holds the values of the column Data of MSysResources, a row for each value
CREATE TABLE [MSysResources_Data] (
    [Id] INT NOT NULL,
    [FileName] NVARCHAR(255),
    [FileType] NVARCHAR(255),
    [FileData] VARBINARY(MAX)
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysResources_Data] TO public;
GO

CREATE TABLE [Table1] (
    [ID] INT NOT NULL IDENTITY(1,1),
    [Field1] NVARCHAR(255),
    PRIMARY KEY ([ID])
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1] TO public;
GO

-- Table Table2 is a linked table: Table1 in Z:\jackcess_test\linkeeTest.accdb; written as a table of its own
CREATE TABLE [Table2] (
    [ID] INT NOT NULL IDENTITY(1,1),
    [Field1] NVARCHAR(255)
);
GO
-- Index PrimaryKey not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table2] TO public;
GO

ALTER TABLE [MSysNavPaneGroups] ADD CONSTRAINT [MSysNavPaneGroupCategoriesMSysNavPaneGroups] FOREIGN KEY ([GroupCategoryID]) REFERENCES [MSysNavPaneGroupCategories] ([Id]) ON UPDATE CASCADE ON DELETE CASCADE;
GO
ALTER TABLE [MSysNavPaneGroupToObjects] ADD CONSTRAINT [MSysNavPaneGroupsMSysNavPaneGroupToObjects] FOREIGN KEY ([GroupID]) REFERENCES [MSysNavPaneGroups] ([Id]) ON UPDATE CASCADE ON DELETE CASCADE;
GO
-- Relationship Table1Table2: Table2 (Field1) references Table1 (Field1), not enforced by Access
ALTER TABLE [MSysResources_Data] ADD CONSTRAINT [MSysResources_Data_fk] FOREIGN KEY ([Id]) REFERENCES [MSysResources] ([Id]) ON DELETE CASCADE;
GO

