-- RESULTS: 
-- -----------------------------------
-- Database ~ TEST2V2003.MDB
-- Tables   ~ 10
-- Fields   ~ 142
-- Indexes  ~ 0
-- 
-- SQL SCRIPT(S) 
-- -----------------------------------
-- 
CREATE TABLE [MSP_PROJECTS] (
    [PROJ_ID] INT,
    [PROJ_NAME] NVARCHAR(255),
    [PROJ_PROP_AUTHOR] NVARCHAR(MAX),
    [PROJ_OPT_CALC_ACT_COSTS] BIT NOT NULL DEFAULT 0,
    [PROJ_PROP_CATEGORY] NVARCHAR(MAX),
    [PROJ_PROP_COMPANY] NVARCHAR(MAX),
    [PROJ_OPT_CRITICAL_SLACK_LIMIT] INT,
    [PROJ_OPT_CURRENCY_DIGITS] SMALLINT,
    [PROJ_OPT_CURRENCY_POSITION] SMALLINT,
    [PROJ_OPT_CURRENCY_SYMBOL] NVARCHAR(20),
    [PROJ_OPT_NEW_ARE_EFFORT_DRIVEN] BIT NOT NULL DEFAULT 0,
    [PROJ_INFO_CURRENT_DATE] DATETIME2,
    [PROJ_OPT_DEF_FINISH_TIME] DATETIME2,
    [PROJ_OPT_DEF_FIX_COST_ACCRUAL] SMALLINT,
    [PROJ_OPT_MINUTES_PER_DAY] INT,
    [PROJ_OPT_MINUTES_PER_WEEK] INT,
    [PROJ_OPT_DEF_OVT_RATE] FLOAT,
    [PROJ_OPT_DEF_STD_RATE] FLOAT,
    [PROJ_OPT_DEF_START_TIME] DATETIME2,
    [PROJ_OPT_DEF_TASK_TYPE] SMALLINT,
    [PROJ_OPT_DUR_ENTRY_FMT] SMALLINT,
    [PROJ_INFO_FINISH_DATE] DATETIME2,
    [PROJ_OPT_HONOR_CONSTRAINTS] BIT NOT NULL DEFAULT 0,
    [PROJ_PROP_KEYWORDS] NVARCHAR(MAX),
    [PROJ_LAST_SAVED] DATETIME2,
    [PROJ_PROP_MANAGER] NVARCHAR(MAX),
    [PROJ_OPT_MULT_CRITICAL_PATHS] BIT NOT NULL DEFAULT 0,
    [PROJ_CREATION_DATE] DATETIME2,
    [PROJ_POOL_ATTACHED_TO] NVARCHAR(MAX),
    [PROJ_INFO_CAL_NAME] NVARCHAR(MAX),
    [PROJ_IS_RES_POOL] BIT NOT NULL DEFAULT 0,
    [PROJ_INFO_SCHED_FROM] SMALLINT,
    [PROJ_OPT_SPLIT_IN_PROGRESS] BIT NOT NULL DEFAULT 0,
    [PROJ_OPT_SPREAD_ACT_COSTS] BIT NOT NULL DEFAULT 0,
    [PROJ_OPT_SPREAD_PCT_COMP] BIT NOT NULL DEFAULT 0,
    [PROJ_INFO_START_DATE] DATETIME2,
    [PROJ_INFO_STATUS_DATE] DATETIME2,
    [PROJ_PROP_SUBJECT] NVARCHAR(MAX),
    [PROJ_PROP_TITLE] NVARCHAR(MAX),
    [PROJ_OPT_TASK_UPDATES_RES] BIT NOT NULL DEFAULT 0,
    [PROJ_OPT_WORK_ENTRY_FMT] SMALLINT,
    [PROJ_OPT_CALC_SUB_AS_SUMMARY] BIT NOT NULL DEFAULT 0,
    [PROJ_OPT_WEEK_START_DAY] SMALLINT,
    [PROJ_OPT_FY_START_MONTH] SMALLINT,
    [PROJ_OPT_FY_USE_START_YR] BIT NOT NULL DEFAULT 0,
    [PROJ_OPT_DAYS_PER_MONTH] SMALLINT,
    [PROJ_OPT_NEW_TASK_EST] BIT NOT NULL DEFAULT 0,
    [PROJ_OPT_SHOW_EST_DUR] BIT NOT NULL DEFAULT 0,
    [PROJ_OPT_EXPAND_TIMEPHASED] BIT NOT NULL DEFAULT 0,
    [PROJ_PROJECT] NVARCHAR(203),
    [PROJ_VERSION] NVARCHAR(50),
    [PROJ_CREATION_DATE_EX] DATETIME2,
    [PROJ_ACTUALS_SYNCH] SMALLINT,
    [PROJ_ADMINPROJECT] SMALLINT,
    [PROJ_ENT_LIST_SEPARATOR] NVARCHAR(2),
    [PROJ_EXT_EDITED_DATE] BIT NOT NULL DEFAULT 0,
    [PROJ_EXT_EDITED_DUR] BIT NOT NULL DEFAULT 0,
    [PROJ_EXT_EDITED_NUM] BIT NOT NULL DEFAULT 0,
    [PROJ_EXT_EDITED_FLAG] BIT NOT NULL DEFAULT 0,
    [PROJ_EXT_EDITED_CODE] BIT NOT NULL DEFAULT 0,
    [PROJ_EXT_EDITED_TEXT] BIT NOT NULL DEFAULT 0,
    [PROJ_IGNORE_FRONT_END] BIT NOT NULL DEFAULT 0,
    [PROJ_EXT_EDITED] BIT NOT NULL DEFAULT 0,
    [PROJ_DATA_SOURCE] NVARCHAR(128),
    [PROJ_READ_ONLY] NVARCHAR(10),
    [PROJ_READ_WRITE] NVARCHAR(4),
    [PROJ_READ_COUNT] NVARCHAR(10),
    [PROJ_LOCKED] NVARCHAR(4),
    [PROJ_MACHINE_ID] NVARCHAR(100),
    [PROJ_TYPE] INT,
    [PROJ_CHECKEDOUT] INT,
    [PROJ_CHECKEDOUTBY] NVARCHAR(255),
    [PROJ_CHECKEDOUTDATE] DATETIME2,
    [RESERVED_BINARY_DATA] VARBINARY(MAX)
);
GO
-- Index I_MSP_PROJECTS not written: its columns are not known
-- Index I_PROJ_NAME not written: its columns are not known
GRANT REFERENCES, SELECT, INSERT, DELETE, UPDATE ON [MSP_PROJECTS] TO public;
GO

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

