-- RESULTS: 
-- -----------------------------------
-- Database ~ EMPTYJET4.MDB
-- Tables   ~ 4
-- Fields   ~ 37
-- Indexes  ~ 5
-- 
-- SQL SCRIPT(S) 
-- -----------------------------------
-- 
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

