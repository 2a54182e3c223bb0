-- RESULTS: 
-- -----------------------------------
-- Database ~ TESTV2007.ACCDB
-- Tables   ~ 4
-- Fields   ~ 102
-- Indexes  ~ 6
-- 
-- SQL SCRIPT(S) 
-- -----------------------------------
-- 
CREATE TABLE [Table1] (
    [A] NVARCHAR(50) NOT NULL,
    [B] NVARCHAR(100),
    [C] TINYINT DEFAULT 0,
    [D] SMALLINT DEFAULT 0,
    [E] INT DEFAULT 0,
    [F] FLOAT DEFAULT 0,
    [G] DATETIME2,
    [H] DECIMAL(19,4) DEFAULT 0,
    [I] BIT NOT NULL DEFAULT 0,
    PRIMARY KEY ([A])
);
GO

CREATE TABLE [Table2] (
    [column1] NVARCHAR(50) NOT NULL,
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
    [column89] NVARCHAR(50),
    PRIMARY KEY ([column1])
);
GO

CREATE TABLE [Table3] (
    [a] INT NOT NULL IDENTITY(1,1),
    [b] NVARCHAR(50),
    PRIMARY KEY ([a])
);
GO

CREATE TABLE [Table4] (
    [name] NVARCHAR(50),
    [data] UNIQUEIDENTIFIER NOT NULL DEFAULT NEWID(),
    PRIMARY KEY ([data])
);
GO

INSERT INTO [Table1] ([A], [B], [C], [D], [E], [F], [G], [H], [I]) VALUES
(N'a', N'b', 0, 0, 0, 0, '1981-12-12 00:00:00', 0.0000, 0),
(N'abcdefg', N'hijklmnop', 2, 222, 333333333, 444.555, '1974-09-21 00:00:00', 3.5000, 1);
GO

CREATE INDEX [B] ON [Table1] ([B]);
GO

CREATE INDEX [column10] ON [Table2] ([column10]);
GO
CREATE INDEX [column14] ON [Table2] ([column14]);
GO
CREATE INDEX [column75] ON [Table2] ([column75]);
GO
CREATE INDEX [id] ON [Table2] ([column1]);
GO

CREATE INDEX [id] ON [Table3] ([a]);
GO

