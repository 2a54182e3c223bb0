-- RESULTS: 
-- -----------------------------------
-- Database ~ CALCFIELDTESTV2010.ACCDB
-- Tables   ~ 25
-- Fields   ~ 141
-- Indexes  ~ 0
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
    [Type] INT
);
GO
-- Index Id not written: its columns are not known
-- Index ParentIdId not written: its columns are not known
-- Index ParentIdName not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysAccessStorage] TO public;
GO

CREATE TABLE [MSysAccessXML] (
    [Id] INT NOT NULL IDENTITY(1,1),
    [LValue] VARBINARY(MAX),
    [ObjectGuid] UNIQUEIDENTIFIER,
    [ObjectName] NVARCHAR(65),
    [Property] NVARCHAR(65),
    [Value] NVARCHAR(255)
);
GO
-- Index Id not written: its columns are not known
-- Index ObjectGuidProperty not written: its columns are not known
-- Index ObjectNameProperty not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysAccessXML] TO public;
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

CREATE TABLE [MSysIMEXColumns] (
    [SpecID] INT,
    [FieldName] NVARCHAR(64),
    [DataType] SMALLINT,
    [Start] SMALLINT,
    [Width] SMALLINT,
    [IndexType] TINYINT,
    [SkipColumn] BIT NOT NULL DEFAULT 0,
    [Attributes] INT
);
GO
-- Index Index1 not written: its columns are not known
-- Index PrimaryKey not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysIMEXColumns] TO public;
GO

CREATE TABLE [MSysIMEXSpecs] (
    [SpecName] NVARCHAR(64),
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
    [StartRow] INT
);
GO
-- Index PrimaryKey not written: its columns are not known
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
-- Index MSysNavPaneGroupCategoriesMSysNavPaneGroups not written: its columns are not known
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

-- Column Data is an attachment column; its data lives in hidden tables: not written
CREATE TABLE [MSysResources] (
    [Extension] NVARCHAR(255),
    [Id] INT NOT NULL IDENTITY(1,1),
    [Name] NVARCHAR(255),
    [Type] NVARCHAR(255)
);
GO
-- Index Data_489EBADE3DCC4028B9E16FD47C16C104 not written: its columns are not known
-- Index Id not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSysResources] TO public;
GO

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
    [WeeklySalary] DECIMAL(18,0),
    [SalaryTest] DECIMAL(19,4),
    [BoolTest] BIT NOT NULL DEFAULT 0,
    [Popularity] DECIMAL(18,0),
    [DecimalTest] DECIMAL(18,0),
    [FloatTest] REAL,
    [BigNumTest] DECIMAL(18,0)
);
GO
-- Index PrimaryKey not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [Table1] TO public;
GO

