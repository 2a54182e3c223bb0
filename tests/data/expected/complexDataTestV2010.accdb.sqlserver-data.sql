-- RESULTS: 
-- -----------------------------------
-- Database ~ COMPLEXDATATESTV2010.ACCDB
-- Tables   ~ 1
-- Fields   ~ 6
-- Indexes  ~ 0
-- 
-- SQL SCRIPT(S) 
-- -----------------------------------
-- 
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

-- Table Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880 holds the values of the column VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880 of Table1, a row for each value
CREATE TABLE [Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880] (
    [id] NVARCHAR(255) NOT NULL,
    [append-memo-data] NVARCHAR(MAX),
    [Modified_F9B5E312-4155-4c59-9AAE-391C1B295827] DATETIME2
);
GO

-- Table Table1_multi-value-data holds the values of the column multi-value-data of Table1, a row for each value
CREATE TABLE [Table1_multi-value-data] (
    [id] NVARCHAR(255) NOT NULL,
    [Value] NVARCHAR(255)
);
GO

-- Table Table1_attach-data holds the values of the column attach-data of Table1, a row for each value
CREATE TABLE [Table1_attach-data] (
    [id] NVARCHAR(255) NOT NULL,
    [FileName] NVARCHAR(255),
    [FileType] NVARCHAR(255),
    [FileData] VARBINARY(MAX)
);
GO

INSERT INTO [Table1] ([id], [memo-data], [append-memo-data]) VALUES
(N'row1', NULL, NULL),
(N'row2', N'row2-memo', N'row2-memo'),
(N'row3', N'row3-memo', N'row3-memo-again'),
(N'row4', N'row4-memo', N'row4-memo');
GO

INSERT INTO [Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880] ([id], [append-memo-data], [Modified_F9B5E312-4155-4c59-9AAE-391C1B295827]) VALUES
(N'row2', N'row2-memo', '2011-09-12 21:21:02.334'),
(N'row3', N'row3-memo', '2011-09-12 21:21:19.126'),
(N'row4', N'row4-memo', '2011-09-12 21:22:25.758'),
(N'row3', N'row3-memo-revised', '2011-09-12 21:22:33.077'),
(N'row3', N'row3-memo-again', '2011-09-12 21:22:45.382');
GO

INSERT INTO [Table1_multi-value-data] ([id], [Value]) VALUES
(N'row2', N'value1'),
(N'row2', N'value4'),
(N'row3', N'value1'),
(N'row3', N'value2'),
(N'row3', N'value3'),
(N'row3', N'value4');
GO

INSERT INTO [Table1_attach-data] ([id], [FileName], [FileType], [FileData]) VALUES
(N'row2', N'test_data.txt', N'txt', 0x7468697320697320736F6D652074657374206461746120666F72206174746163686D656E742E),
(N'row2', N'test_data2.txt', N'txt', 0x7468697320697320736F6D65206D6F72652074657374206461746120666F72206174746163686D656E742E),
(N'row4', N'test_data2.txt', N'txt', 0x7468697320697320736F6D65206D6F72652074657374206461746120666F72206174746163686D656E742E);
GO

-- Index attach-data_071D71EDD53D45A1A9089929F06857D9 not written: its column attach-data is not in the script
-- Index multi-value-data_F4C67B0F60124C1989D5583C00CF76E2 not written: its column multi-value-data is not in the script
-- Index VersionHistory_F5F8918F-0A3F-4D_6E54CCBB170741DD8FD837271ED8B90C not written: its column VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880 is not in the script

-- Relationship MSysNavPaneGroupCategoriesMSysNavPaneGroups: MSysNavPaneGroups (GroupCategoryID) references MSysNavPaneGroupCategories (Id): not written, a table of it is not in the script
-- Relationship MSysNavPaneGroupsMSysNavPaneGroupToObjects: MSysNavPaneGroupToObjects (GroupID) references MSysNavPaneGroups (Id): not written, a table of it is not in the script
ALTER TABLE [Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880] ADD CONSTRAINT [Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880_fk] FOREIGN KEY ([id]) REFERENCES [Table1] ([id]) ON DELETE CASCADE;
GO
ALTER TABLE [Table1_multi-value-data] ADD CONSTRAINT [Table1_multi-value-data_fk] FOREIGN KEY ([id]) REFERENCES [Table1] ([id]) ON DELETE CASCADE;
GO
ALTER TABLE [Table1_attach-data] ADD CONSTRAINT [Table1_attach-data_fk] FOREIGN KEY ([id]) REFERENCES [Table1] ([id]) ON DELETE CASCADE;
GO

