#include "store/TableScripts.h"

using namespace Qt::StringLiterals;

// The scripts are kept in the dialect of the engine the data folders were
// first written with; TableCatalogue translates them for SQLite, so they can
// be compared line by line with what older installations ran.
namespace store::TableScripts {

QString mainTables()
{
    return uR"SCRIPT(CREATE TABLE IF NOT EXISTS "SyokuM"
(
   "Syoku_ID" Character(10),
   "syokugun" Integer,
   "SyokuMei" CHARACTER(40),
   "haiki" FLOAT,
   "neturyo" FLOAT,
   "tanpaku" FLOAT,
   "shi" FLOAT,
   "tou" FLOAT,
   "Ca" FLOAT,
   "Fe" FLOAT,
   "ViA" FLOAT,
   "ViB1" FLOAT,
   "ViB2" FLOAT,
   "ViC" FLOAT,
   "Nacl" FLOAT,
   "syokugun2" Integer,
   "syokugun3" Integer,
   "F0" Integer,
   "F1" Integer,
   "F2" Integer,
   "F3" Integer,
   "F4" Integer,
   "F5" Integer,
   "F6" Integer,
   "F7" Integer,
   "F8" Integer,
   "F9" Integer,
   "Seni" Float,
   "Na" Float,
   "K" Float,
PRIMARY KEY ("Syoku_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "WG"
(
   "WG_ID" Integer,
   "Meisyo" CHAR(30),
   "S1" FLOAT,
   "S2" FLOAT,
   "D" FLOAT,
PRIMARY KEY ("WG_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

/*
CREATE TABLE IF NOT EXISTS "WG2"
(
   "WG2_ID" Integer,
   "Meisyo" CHAR(30),
   "S1" FLOAT,
   "S2" FLOAT,
   "D" FLOAT,
PRIMARY KEY ("WG2_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);
*/

CREATE TABLE IF NOT EXISTS "AveM"
(
   "AveM_ID" Integer,
   "Age" Integer,
   "neturyo" FLOAT,
   "tanpaku" FLOAT,
   "shi" FLOAT,
   "tou" FLOAT,
   "Ca" FLOAT,
   "Fe" FLOAT,
   "ViA" FLOAT,
   "ViB1" FLOAT,
   "ViB2" FLOAT,
   "ViC" FLOAT,
   "Nacl" FLOAT,
   "seni" FLOAT,
PRIMARY KEY ("AveM_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "SyokujiM"
(
   "Syokuji_ID" Integer,
   "Syokujimei" Character(20),
PRIMARY KEY ("Syokuji_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "TaisyoM"
(
   "Taisyo_ID" Integer,
   "Taisyomei" Character(20),
PRIMARY KEY ("Taisyo_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "SyokuGunM"
(
   "SyokuGun_ID" Integer,
   "SyokuGunmei" Character(30),
   "S1" FLOAT,
   "S2" FLOAT,
   "D" FLOAT,
PRIMARY KEY ("SyokuGun_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "SyokuGunMb"
(
   "S_ID" Integer,
   "SyokuID1" Character(10),
   "SyokuID2" Character(10),
   "SyokuGun_ID" Integer,
PRIMARY KEY ("S_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "SyokuGunM2"
(
   "SyokuGun_ID" Integer,
   "SyokuGunmei" Character(40),
PRIMARY KEY ("SyokuGun_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "SyokuGunM2b"
(
   "S_ID" Integer,
   "SyokuID1" Character(10),
   "SyokuID2" Character(10),
   "SyokuGun_ID" Integer,
PRIMARY KEY ("S_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "RyoriM"
(
   "Ryori_ID" Character(4),
   "Ryoriemei" Character(50),
PRIMARY KEY ("Ryori_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "RyoriD"
(
   "Ryori_ID" Character(4),
   "SubNo" Integer,
   "Syoku_ID" Character(10),
   "Suryo1" Float,
   "Suryo2" Float,
PRIMARY KEY ("Ryori_ID","SubNo") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "kondateM"
(
   "Kondate_ID" AutoInc,
   "kijitu" date,
PRIMARY KEY ("Kondate_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);
Create Index if Not Exists "hizuke" On "kondateM" ("kijitu");

CREATE TABLE IF NOT EXISTS "kondateM2"
(
   "kondate_ID" Integer,
   "K1" Integer,
   "K2" Integer,
   "kondateMei" Character(100),
   "Ninzu" Integer,
   "Ninzu2" Integer,
   "Ninzu3" Integer,
   "Ninzu4" Integer,
   "Ninzu5" Integer,
PRIMARY KEY ("Kondate_ID","K1","K2") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "kondateM3"
(
   "kondate_ID" Integer,
   "K1" Integer,
   "K2" Integer,
   "Ryori_ID" Character(4),
PRIMARY KEY ("Kondate_ID","K1","K2","Ryori_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "kondateD"
(
   "kondate_ID" Integer,
   "K1" Integer,
   "K2" Integer,
   "Ryori_ID" Character(4),
   "SubNo" Integer,
   "Syoku_ID" Character(10),
   "SyokuMei" CHARACTER(40),
   "Suryo" Float,
PRIMARY KEY ("Kondate_ID","K1","K2","Ryori_ID","SubNo") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);

CREATE TABLE IF NOT EXISTS "GyosyaM"
(
   "Gyosya_ID" Integer,
   "Gyosyamei" Character(50),
   "kin1" Money,
   "kin2" Money,
   "kin3" money,
PRIMARY KEY ("Gyosya_ID") COMPRESS NONE
LANGUAGE "ANSI Standard" SORT "Default Order"
USER MAJOR VERSION 1
);
)SCRIPT"_s;
}

QString settingsTable()
{
    return uR"SCRIPT(/* SQL-92 Table Creation Script with DBISAM Extensions */

CREATE TABLE IF NOT EXISTS "HeadM"
(
   "meisyou" Char(50),
   "name" Char(20),
   "yuubin" Char(10),
   "jyuusyo" Char(34),
   "denwa" Char(12),
   "nendo" Integer,
   "protect" Char(10),
   "Password" char(10),
   "PathName1" Char(100),
   "PathName2" Char(100),
   "PM1" INTEGER,
   "PM2" INTEGER,
   "PM3" INTEGER,
   "PM4" INTEGER,
   "PM5" INTEGER,
   "PM6" INTEGER,
   "PM7" INTEGER,
   "PM8" INTEGER,
   "PM9" INTEGER,
   "PM10" INTEGER,
   "年度" INTEGER,
   "職印１" CHARACTER(6),
   "職印２" CHARACTER(6),
   "職印３" CHARACTER(6),
   "職印４" CHARACTER(6),
   "職印５" CHARACTER(6)
LANGUAGE "ANSI Standard" SORT "Default Order"
);
)SCRIPT"_s;
}

QString settingsTableRebuild()
{
    return uR"SCRIPT(/* SQL-92 Table Creation Script with DBISAM Extensions */

CREATE TABLE IF NOT EXISTS "HeadM$"
(
   "meisyou" Char(100),
   "name" Char(40),
   "yuubin" Char(10),
   "jyuusyo" Char(50),
   "denwa" Char(15),
   "nendo" Integer,
   "protect" Char(10),
   "Password" char(10),
   "PathName1" Char(100),
   "PathName2" Char(100),
   "PM1" INTEGER,
   "PM2" INTEGER,
   "PM3" INTEGER,
   "PM4" INTEGER,
   "PM5" INTEGER,
   "PM6" INTEGER,
   "PM7" INTEGER,
   "PM8" INTEGER,
   "PM9" INTEGER,
   "PM10" INTEGER,
   "年度" INTEGER,
   "職印１" CHARACTER(10),
   "職印２" CHARACTER(10),
   "職印３" CHARACTER(10),
   "職印４" CHARACTER(10),
   "職印５" CHARACTER(10),
   "PM11" INTEGER,
   "PM12" INTEGER,
   "PM13" INTEGER,
   "PM14" INTEGER,
   "PM15" INTEGER,
   "PM16" INTEGER,
   "PM17" INTEGER,
   "PM18" INTEGER,
   "PM19" INTEGER,
   "PM20" INTEGER
LANGUAGE "ANSI Standard" SORT "Default Order"
);
)SCRIPT"_s;
}

// Tables that the Parts using them create when missing. They are in the
// catalogue so that every layout the system writes is defined in one place.
QString menuPurchaseTable()
{
    return uR"SCRIPT(
CREATE TABLE IF NOT EXISTS "kondateQ"
(
   "kondate_ID" Integer,
   "k1" Integer,
   "Ryori_ID" Integer,
   "Syoku_ID" Integer,
   "SyokuMei" Character(40),
   "RyoriMei" Character(40),
   "SyokujiMei" Character(40),
   "A01" Float,
   "A02" Float,
   "A03" Float,
   "A04" Float,
   "B01" Float,
   "B02" Float,
   "B03" Float,
   "C01" Integer,
   "C02" Integer,
   "C03" Integer,
   "C04" Integer,
   "D01" Float,
   "D02" Float,
   "D03" Float,
   "kingaku" Money,
   "kijitu" Date,
   "C05" Integer,
   "E01" Integer,
   "E02" Integer,
   "E03" Integer,
PRIMARY KEY ("kondate_ID","k1","Ryori_ID","Syoku_ID")
);
)SCRIPT"_s;
}

QString carryOverTable()
{
    return uR"SCRIPT(
CREATE TABLE IF NOT EXISTS "Kurikoshi"
(
   "ID" Integer,
   "F01" Money,
   "F02" Money,
   "F03" Money,
   "F04" Money,
   "F05" Money,
   "F06" Money,
   "F07" Money,
   "F08" Money,
   "F09" Money,
   "F10" Money,
   "F11" Money,
   "F12" Money,
   "koumoku" Character(20),
PRIMARY KEY ("ID")
);
)SCRIPT"_s;
}

QString expansionWorkTable()
{
    return uR"SCRIPT(
CREATE TABLE IF NOT EXISTS "W1TBL"
(
   "kondate_ID" Integer,
   "K1" Integer,
   "K2" Integer,
   "Ryori_ID" Character(4),
   "SubNo" Integer,
   "kijitu" Date,
   "Suryo" Float,
   "Ninzu" Integer,
   "Syoku_ID" Character(10),
   "SyokuMei" Character(40),
   "haiki" Float,
   "neturyo" Float,
   "tanpaku" Float,
   "shi" Float,
   "tou" Float,
   "Ca" Float,
   "Fe" Float,
   "ViA" Float,
   "ViB1" Float,
   "ViB2" Float,
   "ViC" Float,
   "Nacl" Float,
   "Seni" Float,
   "syokugun" Integer,
   "syokugun2" Integer,
   "syokugunMei" Character(30),
   "syokugunMei2" Character(30),
   "SyokujiMei" Character(20),
   "TaisyoMei" Character(20),
   "RyoriMei" Character(40),
   "Soryou" Float,
   "Soryou2" Float,
   "S1" Float,
   "S2" Float,
   "Ninzu2" Integer,
   "Ninzu3" Integer,
   "Ninzu4" Integer,
   "K" Float,
PRIMARY KEY ("kondate_ID","K1","K2","Ryori_ID","SubNo")
);
Create Index if Not Exists "Inx1" On "W1TBL" ("kondate_ID","K1","K2","Ryori_ID","Syoku_ID");
)SCRIPT"_s;
}

} // namespace store::TableScripts
