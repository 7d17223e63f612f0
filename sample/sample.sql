-- A small game database for trying the editor: the five game tables with a few
-- rows each. This file is UTF-8; scripts/make-sample-db stores its texts as GBK,
-- the way the game server keeps them.
BEGIN;

CREATE TABLE StdItems (Idx INTEGER, Name CHAR(14), Stdmode INTEGER, Shape INTEGER, Weight INTEGER,
  Anicount INTEGER, Source INTEGER, Reserved INTEGER, Looks INTEGER, DuraMax INTEGER, Ac INTEGER,
  Ac2 INTEGER, Mac INTEGER, Mac2 INTEGER, Dc INTEGER, Dc2 INTEGER, Mc INTEGER, Mc2 INTEGER, Sc INTEGER,
  Sc2 INTEGER, Need INTEGER, NeedLevel INTEGER, Price INTEGER, Stock INTEGER DEFAULT 0, NeedRealm INTEGER,
  Special INTEGER DEFAULT 0, Convert INTEGER DEFAULT 0, Reflect INTEGER DEFAULT 0, Jin INTEGER, Mu INTEGER,
  Shui INTEGER DEFAULT 0, Huo INTEGER DEFAULT 0, Tu INTEGER DEFAULT 0, BaoHit INTEGER DEFAULT 0,
  DerateAc INTEGER DEFAULT 0, DerateMac INTEGER DEFAULT 0, DerateAnti INTEGER DEFAULT 0,
  DerateAntiMagic INTEGER DEFAULT 0, Derate INTEGER DEFAULT 0);

--                     Idx Name            Std Shp Wgt Ani Src Res Looks Dura  Ac Ac2 Mac Mac2 Dc Dc2 Mc Mc2 Sc Sc2 Need Lvl Price Stock Realm Spc Cnv Ref Jin  Mu   Shui Huo Tu Bao DAc DMac DAnti DAntiM Derate
INSERT INTO StdItems VALUES (0, '金创药(小量)',   0, 0,  1, 0, 0, 0,   0,  0,   0, 0, 0, 0,   0, 0,  0, 0,  0, 0,  0, 0,   50,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (1, '魔法药(小量)',   0, 1,  1, 0, 0, 0,   1,  0,   0, 0, 0, 0,   0, 0,  0, 0,  0, 0,  0, 0,   60,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (2, '回城卷',         3, 1,  1, 0, 0, 0,  30,  0,   0, 0, 0, 0,   0, 0,  0, 0,  0, 0,  0, 0,  100,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (3, '火球术',         4, 0,  1, 0, 1, 0,  60,  0,   0, 0, 0, 0,   0, 0,  0, 0,  0, 0,  0, 7,  300,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (4, '木剑',           5, 1,  5, 0, 0, 0,  10, 4000, 0, 0, 0, 0,   2, 5,  0, 0,  0, 0,  0, 0,  200,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (5, '青铜剑',         5, 2,  8, 0, 0, 0,  11, 5000, 0, 0, 0, 0,   3, 7,  0, 0,  0, 0,  0, 6,  800,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (6, '屠龙',           6, 25, 80, 0, 0, 0,  70, 32000, 0, 0, 0, 0, 5, 35, 0, 0,  0, 0,  0, 34, 30000, 0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 2, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (7, '布衣(男)',      10, 1,  5, 0, 0, 0,  40, 5000, 2, 2, 0, 0,   0, 0,  0, 0,  0, 0,  0, 0,  300,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (8, '布衣(女)',      11, 1,  5, 0, 0, 0,  41, 5000, 2, 2, 0, 0,   0, 0,  0, 0,  0, 0,  0, 0,  300,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (9, '青铜头盔',      15, 0,  2, 0, 0, 0,  50, 5000, 1, 1, 0, 0,   0, 0,  0, 0,  0, 0,  0, 5,  500,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (10, '金项链',       20, 0,  1, 0, 0, 0,  90, 5000, 0, 0, 0, 0,   0, 1,  0, 0,  0, 0,  0, 3,  700,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (11, '铁戒指',       22, 0,  1, 0, 0, 0, 100, 5000, 0, 0, 0, 0,   0, 1,  0, 0,  0, 0,  0, 3,  400,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (12, '铁手镯',       24, 0,  1, 0, 0, 0, 110, 5000, 0, 1, 0, 0,   0, 0,  0, 0,  0, 0,  0, 3,  400,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (13, '祝福油',        3, 9,  1, 0, 0, 0,  35,  0,   0, 0, 0, 0,   0, 0,  0, 0,  0, 0,  0, 0, 3000,  0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO StdItems VALUES (14, '七宝灵驹',    137, 0,  1, 0, 0, 0, 300,  0,   0, 0, 0, 0,   0, 0,  0, 0,  0, 0,  0, 40, 99999, 0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0);

CREATE TABLE Monster (Name CHAR(14), Race INTEGER, RaceImg INTEGER, Appr INTEGER, Lvl INTEGER, Undead INTEGER,
  CoolEye INTEGER, Exp INTEGER, HP INTEGER, MP INTEGER, AC INTEGER, MAC INTEGER, DC INTEGER, DCMAX INTEGER,
  MC INTEGER, SC INTEGER, SPEED INTEGER, HIT INTEGER, WALK_SPD INTEGER, WalkStep INTEGER, WaLkWait INTEGER,
  ATTACK_SPD INTEGER, NO1 INTEGER, NO2 INTEGER, NO3 INTEGER, NO4 INTEGER, NO5 INTEGER, NO6 INTEGER, NO7 INTEGER,
  NO8 TEXT, BURST TEXT, NameColor INTEGER, Range INTEGER, yyzg_lv INTEGER);

INSERT INTO Monster VALUES ('鸡',       51, 0,  160,  1, 0,  0,    6,   10,  0, 0, 0,  0,  1,  0, 0, 1, 5, 1200, 1, 0, 1600, 0, 0, 0, 0, 0, 0, 0, NULL, NULL, 255, 0, 0);
INSERT INTO Monster VALUES ('鹿',       52, 0,  161,  3, 0,  0,   20,   30,  0, 0, 0,  1,  3,  0, 0, 1, 5, 1000, 1, 0, 1500, 0, 0, 0, 0, 0, 0, 0, NULL, NULL, 255, 0, 0);
INSERT INTO Monster VALUES ('稻草人',   10, 0,    2,  5, 0,  0,   40,   45,  0, 1, 0,  2,  6,  0, 0, 1, 6, 1000, 1, 0, 1400, 0, 0, 0, 0, 0, 0, 0, NULL, NULL, 255, 0, 0);
INSERT INTO Monster VALUES ('骷髅',     30, 0,   30, 12, 1,  0,  150,  120,  0, 3, 1,  6, 12,  0, 0, 1, 8,  900, 1, 0, 1300, 0, 0, 0, 0, 0, 0, 0, NULL, NULL, 255, 0, 0);
INSERT INTO Monster VALUES ('沃玛战士', 31, 0,   60, 22, 0, 10,  500,  400,  0, 6, 4, 12, 22,  0, 0, 1, 12, 800, 1, 0, 1200, 0, 0, 0, 0, 0, 0, 0, NULL, NULL, 255, 0, 0);
INSERT INTO Monster VALUES ('赤月恶魔', 80, 0,  120, 45, 0, 20, 9000, 25000, 0, 25, 20, 60, 150, 0, 0, 1, 25, 700, 1, 0, 1000, 1, 1, 1, 1, 1, 1, 0, NULL, NULL, 249, 8, 0);

CREATE TABLE Magic (MagID INTEGER, MagName CHAR(12), EffectType INTEGER, Effect INTEGER, Spell INTEGER,
  Power INTEGER, MaxPower INTEGER, DefSpell INTEGER, DefPower INTEGER, DefMaxPower INTEGER, Job INTEGER,
  NeedL1 INTEGER, L1Train INTEGER, NeedL2 INTEGER, L2Train INTEGER, NeedL3 INTEGER, L3Train INTEGER,
  Delay INTEGER, AnimTime INTEGER, L4Train INTEGER, L5Train INTEGER, L6Train INTEGER, L7Train INTEGER);

INSERT INTO Magic VALUES (1,  '火球术',   1, 1,  4,  8, 14, 2, 2,  4, 1,  7,  50, 11, 200, 16, 400, 0,  800, 800, 1600, 3200, 6400);
INSERT INTO Magic VALUES (2,  '治愈术',   2, 2,  5, 14, 20, 2, 2,  4, 2,  7,  50, 11, 200, 16, 400, 0,  800, 800, 1600, 3200, 6400);
INSERT INTO Magic VALUES (3,  '基本剑术', 0, 0,  0,  0,  0, 0, 0,  0, 0,  7,  50, 11, 200, 16, 400, 0,  0,   800, 1600, 3200, 6400);
INSERT INTO Magic VALUES (11, '雷电术',   1, 11, 9, 16, 32, 3, 3,  6, 1, 17, 300, 20, 600, 24, 1000, 0, 900, 1500, 3000, 6000, 12000);
INSERT INTO Magic VALUES (6,  '施毒术',   2, 6,  2,  0,  0, 1, 0,  0, 2, 14, 200, 17, 500, 20, 800, 0,  800, 1200, 2400, 4800, 9600);

CREATE TABLE Evil (Idx INTEGER, Job INTEGER, Sex INTEGER, Hair INTEGER, Realm INTEGER, Wing INTEGER,
  Dress CHAR(14), Weapon CHAR(14), Medal CHAR(14), Necklace CHAR(14), Helmet CHAR(14), ArmRingL CHAR(14),
  ArmRingR CHAR(14), RingL CHAR(14), RingR CHAR(14), Bujuk CHAR(14), Belt CHAR(14), Boots CHAR(14),
  Charm CHAR(14), Magic TEXT);

INSERT INTO Evil VALUES (1, 0, 0, 1, 1, 0, '布衣(男)', '青铜剑', NULL, '金项链', '青铜头盔', '铁手镯', '铁手镯',
  '铁戒指', '铁戒指', NULL, NULL, NULL, NULL, '基本剑术');
INSERT INTO Evil VALUES (2, 1, 1, 2, 1, 0, '布衣(女)', '木剑', NULL, '金项链', NULL, '铁手镯', NULL,
  '铁戒指', NULL, NULL, NULL, NULL, NULL, '火球术,雷电术');

CREATE TABLE TaoistPet (Name Char(20), Level INTEGER, HP INTEGER, DC INTEGER, MaxDC INTEGER, AC INTEGER,
  Mac INTEGER, Speed INTEGER, Hit INTEGER, Walk_SPD INTEGER, Attack_SPD INTEGER);

INSERT INTO TaoistPet VALUES ('变异骷髅', 1, 300, 8, 14, 3, 2, 1, 10, 900, 1200);
INSERT INTO TaoistPet VALUES ('神兽',     1, 600, 15, 25, 6, 5, 2, 14, 800, 1000);

COMMIT;
