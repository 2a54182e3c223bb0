-- RESULTS: 
-- -----------------------------------
-- Database ~ CALCFIELDTESTV2010.ACCDB
-- Tables   ~ 25
-- Fields   ~ 141
-- Indexes  ~ 16
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

CREATE TABLE [MSysIMEXColumns] (
    [SpecID] INT NOT NULL,
    [FieldName] NVARCHAR(64) NOT NULL,
    [DataType] SMALLINT,
    [Start] SMALLINT,
    [Width] SMALLINT,
    [IndexType] TINYINT,
    [SkipColumn] BIT NOT NULL DEFAULT 0,
    [Attributes] INT,
    PRIMARY KEY ([SpecID], [FieldName])
);
GO
CREATE INDEX [Index1] ON [MSysIMEXColumns] ([SpecID], [Start]);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysIMEXColumns] TO public;
GO

CREATE TABLE [MSysIMEXSpecs] (
    [SpecName] NVARCHAR(64) NOT NULL,
    [SpecID] INT NOT NULL IDENTITY(1,1),
    [SpecType] TINYINT,
    [FileType] SMALLINT,
    [DateFourDigitYear] BIT NOT NULL DEFAULT 0,
    [DateLeadingZeros] BIT NOT NULL DEFAULT 0,
    [DateOrder] SMALLINT,
    [DateDelim] NVARCHAR(2),
    [TimeDelim] NVARCHAR(2),
    [DecimalPoint] NVARCHAR(2),
    [FieldSeparator] NVARCHAR(2),
    [TextDelim] NVARCHAR(2),
    [StartRow] INT,
    PRIMARY KEY ([SpecName])
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysIMEXSpecs] TO public;
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
-- Index Data_489EBADE3DCC4028B9E16FD47C16C104 not written: its column Data is not in the script
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

-- Column LastFirst is calculated in Access: [LastName] & ", " & [FirstName]
-- Column LastFirstLen is calculated in Access: Len([LastFirst])
-- Column MonthlySalary is calculated in Access: [Salary]/12
-- Column IsRich is calculated in Access: [Salary]>100000
-- Column AllNames is calculated in Access: [LastName] & ", " & [FirstName] & "=" & [LastFirst]
-- Column WeeklySalary is calculated in Access: [Salary]/52
-- Column WeeklySalary: the file does not give its result's precision: written as DECIMAL(38,10)
-- Column SalaryTest is calculated in Access: [Salary]
-- Column BoolTest is calculated in Access: True
-- Column DecimalTest is calculated in Access: [Popularity]
-- Column DecimalTest: the file does not give its result's precision: written as DECIMAL(38,10)
-- Column FloatTest is calculated in Access: [Salary]*0.13/[DecimalTest]
-- Column BigNumTest is calculated in Access: ([Salary]*[MonthlySalary]/[DecimalTest])*34.12342134
-- Column BigNumTest: the file does not give its result's precision: written as DECIMAL(38,10)
CREATE TABLE [Table1] (
    [ID] INT NOT NULL IDENTITY(1,1),
    [FirstName] NVARCHAR(255),
    [LastName] NVARCHAR(255),
    [LastFirst] NVARCHAR(243),
    [City] NVARCHAR(255),
    [LastFirstLen] INT,
    [Salary] DECIMAL(19,4),
    [MonthlySalary] DECIMAL(19,4),
    [IsRich] BIT NOT NULL DEFAULT 0,
    [AllNames] NVARCHAR(MAX),
    [WeeklySalary] DECIMAL(38,10),
    [SalaryTest] DECIMAL(19,4),
    [BoolTest] BIT NOT NULL DEFAULT 0,
    [Popularity] DECIMAL(18,6) DEFAULT 0,
    [DecimalTest] DECIMAL(38,10),
    [FloatTest] REAL,
    [BigNumTest] DECIMAL(38,10),
    PRIMARY KEY ([ID])
);
GO
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1] TO public;
GO

ALTER TABLE [MSysNavPaneGroups] ADD CONSTRAINT [MSysNavPaneGroupCategoriesMSysNavPaneGroups] FOREIGN KEY ([GroupCategoryID]) REFERENCES [MSysNavPaneGroupCategories] ([Id]) ON UPDATE CASCADE ON DELETE CASCADE;
GO
ALTER TABLE [MSysNavPaneGroupToObjects] ADD CONSTRAINT [MSysNavPaneGroupsMSysNavPaneGroupToObjects] FOREIGN KEY ([GroupID]) REFERENCES [MSysNavPaneGroups] ([Id]) ON UPDATE CASCADE ON DELETE CASCADE;
GO
ALTER TABLE [MSysResources_Data] ADD CONSTRAINT [MSysResources_Data_fk] FOREIGN KEY ([Id]) REFERENCES [MSysResources] ([Id]) ON DELETE CASCADE;
GO

