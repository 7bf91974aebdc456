-- Host schema for PostgreSQL. Unquoted names fold to lower case; the control reads columns by
-- name case-insensitively. Dates are dates, flags booleans.
-- Columns beyond those the control names are nullable or have defaults.
-- Statements are separated by lines holding only ";;" so that trigger bodies may hold ";".

-- Locations.
CREATE TABLE IF NOT EXISTS ICLoc (
    LocID    integer PRIMARY KEY,
    LocName  varchar(50) NOT NULL DEFAULT ''
);;

-- Item master. StdCost is the cost used when an item has no receipt at a location yet.
CREATE TABLE IF NOT EXISTS ICItem (
    ItemID    varchar(30) PRIMARY KEY,
    Descp     varchar(100),
    StockUnit varchar(7),
    TaxPer    double precision DEFAULT 0,
    StdCost   double precision DEFAULT 0
);;
-- Scanned codes are compared with their dashes removed.
CREATE INDEX IF NOT EXISTS ICItem_Undashed ON ICItem (replace(itemid,'-',''));;

-- Alternative codes (aliases, bar codes) of items.
CREATE TABLE IF NOT EXISTS ICItemL (
    item   varchar(30) PRIMARY KEY,
    itemid varchar(30) NOT NULL
);;
CREATE INDEX IF NOT EXISTS ICItemL_Undashed ON ICItemL (replace(item,'-',''));;

-- Units of an item other than its stock unit: Conver stock units per one of this unit.
CREATE TABLE IF NOT EXISTS ICUnit (
    ItemID varchar(30) NOT NULL,
    Unit   varchar(7)  NOT NULL,
    Conver double precision      NOT NULL DEFAULT 1,
    PRIMARY KEY (ItemID, Unit)
);;

-- Price lists and item prices.
CREATE TABLE IF NOT EXISTS icprc (
    PriceList varchar(30) UNIQUE
);;
CREATE TABLE IF NOT EXISTS icpric (
    itemid    varchar(30) NOT NULL,
    pricelist varchar(30) NOT NULL,
    Price     double precision,
    PRIMARY KEY (itemid, pricelist)
);;

-- Requisitions of a location and their lines (QtyReq requested, POQty served so far).
CREATE TABLE IF NOT EXISTS ReqH (
    LocID     integer NOT NULL,
    DocNo     integer NOT NULL,
    DocDate   date,
    Narration varchar(100),
    PRIMARY KEY (LocID, DocNo)
);;
CREATE TABLE IF NOT EXISTS ReqStat (
    LocID  integer NOT NULL,
    DocNo  integer NOT NULL,
    ItemID varchar(30),
    Unit   varchar(7),
    Conver double precision DEFAULT 1,
    SrNo   varchar(30),
    QtyReq double precision DEFAULT 0,
    POQty  double precision DEFAULT 0
);;
CREATE INDEX IF NOT EXISTS ReqStat_Doc ON ReqStat (LocID, DocNo);;

-- Transfer vouchers: header keyed by (FromLocID, DocNo), numbers running per source location.
CREATE TABLE IF NOT EXISTS ICTRANH (
    FromLocID integer NOT NULL,
    DocNo     integer NOT NULL,
    DocDate   date,
    ToLocID   integer,
    Narration varchar(100),
    TotalQty  double precision,
    AuditUser varchar(50),
    AuditTime timestamp,
    OrdNo     double precision,
    Posted    boolean DEFAULT false,
    SysDate   char(8),
    DbID      integer,
    ShowPrice smallint DEFAULT 0,
    ReqNo     varchar(20),
    LinkDetID integer,
    PRIMARY KEY (FromLocID, DocNo)
);;
CREATE INDEX IF NOT EXISTS ICTRANH_To ON ICTRANH (ToLocID, DocDate);;
-- The pick list of vouchers lists them by number across all source locations.
CREATE INDEX IF NOT EXISTS ICTRANH_DocNo ON ICTRANH (DocNo);;

-- Transfer lines: quantities in the line's unit, Conver stock units per unit.
CREATE TABLE IF NOT EXISTS ICTRAND (
    FromLocID integer NOT NULL,
    DocNo     integer NOT NULL,
    ItemID    varchar(30),
    Unit      varchar(7),
    Conver    double precision,
    Qty       double precision,
    Cost      double precision,
    Amount    double precision,
    SrNo      varchar(30),
    EngNo     varchar(30),
    Price     double precision,
    FOREIGN KEY (FromLocID, DocNo) REFERENCES ICTRANH (FromLocID, DocNo) ON DELETE CASCADE
);;
CREATE INDEX IF NOT EXISTS ICTRAND_Doc ON ICTRAND (FromLocID, DocNo);;
CREATE INDEX IF NOT EXISTS ICTRAND_Item ON ICTRAND (ItemID, FromLocID);;
CREATE INDEX IF NOT EXISTS ICTRAND_Serial ON ICTRAND (SrNo);;

-- General-ledger rows; a transfer carried to the ledger names its rows' DetID in LinkDetID.
CREATE TABLE IF NOT EXISTS GLTRH (
    DetID       integer NOT NULL,
    LineNo      integer DEFAULT 0,
    VoucherNo   varchar(20),
    VoucherDate date,
    AccountID   varchar(20),
    AccountName varchar(100),
    Narration   varchar(200),
    Debit       double precision DEFAULT 0,
    Credit      double precision DEFAULT 0
);;
CREATE INDEX IF NOT EXISTS GLTRH_Det ON GLTRH (DetID);;

-- Ledger setup, one row. DbID stamps saved vouchers; UseTransaction nonzero makes a voucher's
-- save one database transaction.
CREATE TABLE IF NOT EXISTS GLSetup (
    DbID           integer,
    UseTransaction integer DEFAULT 1,
    CompanyName    varchar(100)
);;

-- User profiles: serial tracking, negative stock, fixed date, and whether the user may choose
-- the source location or is held to OwnLocID.
CREATE TABLE IF NOT EXISTS UserProfile (
    UserName        varchar(50) PRIMARY KEY,
    ProfileNo       integer DEFAULT 0,
    TrackSerialNo   boolean DEFAULT false,
    AllowNegative   boolean DEFAULT false,
    DateFixed       boolean DEFAULT false,
    MayChangeSource boolean DEFAULT true,
    OwnLocID        integer DEFAULT 0
);;

-- Location rights: a row allows the user to use the location as source (Direction 1) or as
-- destination (Direction 2) of a transfer.
CREATE TABLE IF NOT EXISTS UserLocRight (
    UserName  varchar(50) NOT NULL,
    LocID     integer NOT NULL,
    Direction smallint NOT NULL,
    PRIMARY KEY (UserName, LocID, Direction)
);;

-- Stock movements the host records besides transfers: opening stock, receipts (Qty > 0, with
-- UnitCost) and issues (Qty < 0), in base units. SrNo names the serial number moved, if any.
CREATE TABLE IF NOT EXISTS StockMove (
    MoveID   bigserial PRIMARY KEY,
    ItemID   varchar(30) NOT NULL,
    SrNo     varchar(30),
    LocID    integer NOT NULL,
    MoveDate date NOT NULL,
    Qty      double precision NOT NULL,
    UnitCost double precision,
    MoveKind varchar(10) DEFAULT 'RECV',
    DocNo    integer
);;
CREATE INDEX IF NOT EXISTS StockMove_Item ON StockMove (ItemID, LocID, MoveDate);;
CREATE INDEX IF NOT EXISTS StockMove_Serial ON StockMove (SrNo, LocID, MoveDate);;
-- The stock of one location (the item pick list over CurrentStock).
CREATE INDEX IF NOT EXISTS StockMove_Loc ON StockMove (LocID, ItemID);;

-- Items as the requisition import reads them.
CREATE OR REPLACE VIEW ICItemV AS
SELECT ItemID, Descp, StockUnit, TaxPer FROM ICItem;;

-- Quantity on hand per item and location: movements plus transfers in, less transfers out.
-- The pairs of item and location that have any movement are listed once each (an arm adds only
-- pairs the arms before it do not hold), and the quantity is summed per pair, so that a
-- condition on LocID or ItemID reaches the indexes of every source table instead of
-- aggregating the whole history first. An item missing from ICItem is listed without Descp.
CREATE OR REPLACE VIEW CurrentStock AS
SELECT k.ItemID AS ItemID, (SELECT i.Descp FROM ICItem i WHERE i.ItemID = k.ItemID) AS Descp, k.LocID AS LocID,
       COALESCE((SELECT SUM(m.Qty) FROM StockMove m WHERE m.ItemID = k.ItemID AND m.LocID = k.LocID), 0)
     - COALESCE((SELECT SUM(d.Qty * COALESCE(d.Conver, 1)) FROM ICTRAND d
                 WHERE d.ItemID = k.ItemID AND d.FromLocID = k.LocID), 0)
     + COALESCE((SELECT SUM(d.Qty * COALESCE(d.Conver, 1))
                 FROM ICTRANH h JOIN ICTRAND d ON d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo
                 WHERE d.ItemID = k.ItemID AND h.ToLocID = k.LocID), 0) AS QtyOnHand
FROM (SELECT DISTINCT m.ItemID AS ItemID, m.LocID AS LocID FROM StockMove m
      UNION ALL
      SELECT DISTINCT d.ItemID, d.FromLocID FROM ICTRAND d
      WHERE NOT EXISTS (SELECT 1 FROM StockMove m WHERE m.ItemID = d.ItemID AND m.LocID = d.FromLocID)
      UNION ALL
      SELECT DISTINCT d.ItemID, h.ToLocID
      FROM ICTRANH h JOIN ICTRAND d ON d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo
      WHERE NOT EXISTS (SELECT 1 FROM StockMove m WHERE m.ItemID = d.ItemID AND m.LocID = h.ToLocID)
        AND NOT EXISTS (SELECT 1 FROM ICTRAND o WHERE o.ItemID = d.ItemID AND o.FromLocID = h.ToLocID)) k;;
