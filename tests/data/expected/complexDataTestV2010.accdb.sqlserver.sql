-- RESULTS: 
-- -----------------------------------
-- Database ~ COMPLEXDATATESTV2010.ACCDB
-- Tables   ~ 25
-- Fields   ~ 113
-- Indexes  ~ 15
-- 
-- SQL SCRIPT(S) 
-- -----------------------------------
-- 
CREATE TABLE [MSysAccessStorage] (
    [DateCreate] DATETIME2,
    [DateUpdate] DATETIME2,
    [Id] INT NOT NULL IDENTITY(1,1),
    [Lv] VARBINARY(MAX),
    [Name] NVARCHAR(128),
    [ParentId] INT,
    [Type] INT,
    PRIMARY KEY ([Id])
);
GO
CREATE UNIQUE INDEX [ParentIdId] ON [MSysAccessStorage] ([ParentId], [Id]);
GO
CREATE UNIQUE INDEX [ParentIdName] ON [MSysAccessStorage] ([ParentId], [Name]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysAccessStorage] TO public;
GO

CREATE TABLE [MSysAccessXML] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [LValue] VARBINARY(MAX),
    [ObjectGuid] UNIQUEIDENTIFIER,
    [ObjectName] NVARCHAR(65),
    [Property] NVARCHAR(65),
    [Value] NVARCHAR(255),
    PRIMARY KEY ([Id])
);
GO
CREATE UNIQUE INDEX [ObjectGuidProperty] ON [MSysAccessXML] ([ObjectGuid], [Property]);
GO
CREATE UNIQUE INDEX [ObjectNameProperty] ON [MSysAccessXML] ([ObjectName], [Property]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysAccessXML] TO public;
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

CREATE TABLE [MSysComplexTypeVH_7B4A12A4BE0B4564884754E9E31577B2] (
    [append-memo-data] NVARCHAR(MAX),
    [Modified_F9B5E312-4155-4c59-9AAE-391C1B295827] DATETIME2
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexTypeVH_7B4A12A4BE0B4564884754E9E31577B2] TO public;
GO

CREATE TABLE [MSysComplexTypeVH_E861D651DAC0459D9E610CDAADB46706] (
    [append-memo-data] NVARCHAR(MAX),
    [Modified_F9B5E312-4155-4c59-9AAE-391C1B295827] DATETIME2
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysComplexTypeVH_E861D651DAC0459D9E610CDAADB46706] TO public;
GO

CREATE TABLE [MSysNameMap] (
    [GUID] UNIQUEIDENTIFIER,
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(65),
    [NameMap] VARBINARY(MAX),
    [Type] INT
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNameMap] TO public;
GO

CREATE TABLE [MSysNavPaneGroupCategories] (
    [Filter] NVARCHAR(255),
    [Flags] INT,
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [Position] INT,
    [SelectedObjectID] INT,
    [Type] INT,
    PRIMARY KEY ([Id])
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysNavPaneGroupCategories] TO public;
GO

CREATE TABLE [MSysNavPaneGroups] (
    [Flags] INT,
    [GroupCategoryID] INT,
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [Object Type Group] INT,
    [ObjectID] INT,
    [Position] INT,
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
    [Flags] INT,
    [GroupID] INT,
    [Icon] INT,
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [ObjectID] INT,
    [Position] INT,
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
    [Extension] NVARCHAR(255),
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [Type] NVARCHAR(255),
    PRIMARY KEY ([Id])
);
GO
-- Index Data_576C09C9D7FB4286A8B855AC6D5A8D07 not written: its column Data is not in the script
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

-- Column VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880 is the version history of a Memo column: its values are in the table Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880
-- Column multi-value-data is a multi-valued column: its values are in the table Table1_multi-value-data
-- Column attach-data is an attachment column: its values are in the table Table1_attach-data
CREATE TABLE [Table1] (
    [id] NVARCHAR(255) NOT NULL,
    [memo-data] NVARCHAR(MAX),
    [append-memo-data] NVARCHAR(MAX),
    PRIMARY KEY ([id])
);
GO
-- Index attach-data_071D71EDD53D45A1A9089929F06857D9 not written: its column attach-data is not in the script
-- Index multi-value-data_F4C67B0F60124C1989D5583C00CF76E2 not written: its column multi-value-data is not in the script
-- Index VersionHistory_F5F8918F-0A3F-4D_6E54CCBB170741DD8FD837271ED8B90C not written: its column VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880 is not in the script
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1] TO public;
GO

-- Table Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880 holds the values of the column VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880 of Table1, a row for each value
CREATE TABLE [Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880] (
    [id] NVARCHAR(255) NOT NULL,
    [append-memo-data] NVARCHAR(MAX),
    [Modified_F9B5E312-4155-4c59-9AAE-391C1B295827] DATETIME2
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880] TO public;
GO

-- Table Table1_multi-value-data holds the values of the column multi-value-data of Table1, a row for each value
CREATE TABLE [Table1_multi-value-data] (
    [id] NVARCHAR(255) NOT NULL,
    [Value] NVARCHAR(255)
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1_multi-value-data] TO public;
GO

-- Table Table1_attach-data holds the values of the column attach-data of Table1, a row for each value
CREATE TABLE [Table1_attach-data] (
    [id] NVARCHAR(255) NOT NULL,
    [FileName] NVARCHAR(255),
    [FileType] NVARCHAR(255),
    [FileData] VARBINARY(MAX)
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1_attach-data] TO public;
GO

ALTER TABLE [MSysNavPaneGroups] ADD CONSTRAINT [MSysNavPaneGroupCategoriesMSysNavPaneGroups] FOREIGN KEY ([GroupCategoryID]) REFERENCES [MSysNavPaneGroupCategories] ([Id]) ON UPDATE CASCADE ON DELETE CASCADE;
GO
ALTER TABLE [MSysNavPaneGroupToObjects] ADD CONSTRAINT [MSysNavPaneGroupsMSysNavPaneGroupToObjects] FOREIGN KEY ([GroupID]) REFERENCES [MSysNavPaneGroups] ([Id]) ON UPDATE CASCADE ON DELETE CASCADE;
GO
ALTER TABLE [MSysResources_Data] ADD CONSTRAINT [MSysResources_Data_fk] FOREIGN KEY ([Id]) REFERENCES [MSysResources] ([Id]) ON DELETE CASCADE;
GO
ALTER TABLE [Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880] ADD CONSTRAINT [Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880_fk] FOREIGN KEY ([id]) REFERENCES [Table1] ([id]) ON DELETE CASCADE;
GO
ALTER TABLE [Table1_multi-value-data] ADD CONSTRAINT [Table1_multi-value-data_fk] FOREIGN KEY ([id]) REFERENCES [Table1] ([id]) ON DELETE CASCADE;
GO
ALTER TABLE [Table1_attach-data] ADD CONSTRAINT [Table1_attach-data_fk] FOREIGN KEY ([id]) REFERENCES [Table1] ([id]) ON DELETE CASCADE;
GO

