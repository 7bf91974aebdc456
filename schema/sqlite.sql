-- Host schema for SQLite. Dates are ISO "yyyy-MM-dd" text (what Qt writes for a QDate), so
-- they sort and compare as dates. Flags are booleans stored as 0 and 1.
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
    TaxPer    double DEFAULT 0,
    StdCost   double DEFAULT 0
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
    Conver double      NOT NULL DEFAULT 1,
    PRIMARY KEY (ItemID, Unit)
);;

-- Price lists and item prices.
CREATE TABLE IF NOT EXISTS icprc (
    PriceList varchar(30) UNIQUE
);;
CREATE TABLE IF NOT EXISTS icpric (
    itemid    varchar(30) NOT NULL,
    pricelist varchar(30) NOT NULL,
    Price     double,
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
    Conver double DEFAULT 1,
    SrNo   varchar(30),
    QtyReq double DEFAULT 0,
    POQty  double DEFAULT 0
);;
CREATE INDEX IF NOT EXISTS ReqStat_Doc ON ReqStat (LocID, DocNo);;

-- Transfer vouchers: header keyed by (FromLocID, DocNo), numbers running per source location.
CREATE TABLE IF NOT EXISTS ICTRANH (
    FromLocID integer NOT NULL,
    DocNo     integer NOT NULL,
    DocDate   date,
    ToLocID   integer,
    Narration varchar(100),
    TotalQty  double,
    AuditUser varchar(50),
    AuditTime timestamp,
    OrdNo     double,
    Posted    boolean DEFAULT 0,
    SysDate   char(8),
    DbID      integer,
    ShowPrice smallint DEFAULT 0,
    ReqNo     varchar(20),
    LinkDetID integer,
    PRIMARY KEY (FromLocID, DocNo)
);;
-- Every save of a voucher adds 1, so that a save or delete of a voucher recalled before another
-- user's save is refused. Added to headers made before it; skipped where the column is there.
ALTER TABLE ICTRANH ADD COLUMN RowVersion integer NOT NULL DEFAULT 0;;
CREATE INDEX IF NOT EXISTS ICTRANH_To ON ICTRANH (ToLocID, DocDate);;
-- The pick list of vouchers lists them by number across all source locations.
CREATE INDEX IF NOT EXISTS ICTRANH_DocNo ON ICTRANH (DocNo);;

-- Transfer lines: quantities in the line's unit, Conver stock units per unit.
CREATE TABLE IF NOT EXISTS ICTRAND (
    FromLocID integer NOT NULL,
    DocNo     integer NOT NULL,
    ItemID    varchar(30),
    Unit      varchar(7),
    Conver    double,
    Qty       double,
    Cost      double,
    Amount    double,
    SrNo      varchar(30),
    EngNo     varchar(30),
    Price     double,
    FOREIGN KEY (FromLocID, DocNo) REFERENCES ICTRANH (FromLocID, DocNo) ON DELETE CASCADE
);;
CREATE INDEX IF NOT EXISTS ICTRAND_Doc ON ICTRAND (FromLocID, DocNo);;
-- An item's lines at a source, by voucher: the stock of an item leaving one voucher out seeks
-- the voucher's line in the index instead of reading every line of the item at the location.
DROP INDEX IF EXISTS ICTRAND_Item;;
CREATE INDEX IF NOT EXISTS ICTRAND_ItemDoc ON ICTRAND (ItemID, FromLocID, DocNo);;
CREATE INDEX IF NOT EXISTS ICTRAND_Serial ON ICTRAND (SrNo);;
-- SQLite enforces foreign keys only where a connection asks for it; the lines go with their
-- header on every connection, before it, so that the stock they moved into its destination is
-- taken back.
DROP TRIGGER IF EXISTS ICTRANH_DeleteLines;;
CREATE TRIGGER IF NOT EXISTS ICTRANH_DeleteLinesFirst BEFORE DELETE ON ICTRANH
BEGIN
    DELETE FROM ICTRAND WHERE FromLocID = old.FromLocID AND DocNo = old.DocNo;
END;;

-- General-ledger rows; a transfer carried to the ledger names its rows' DetID in LinkDetID.
CREATE TABLE IF NOT EXISTS GLTRH (
    DetID       integer NOT NULL,
    LineNo      integer DEFAULT 0,
    VoucherNo   varchar(20),
    VoucherDate date,
    AccountID   varchar(20),
    AccountName varchar(100),
    Narration   varchar(200),
    Debit       double DEFAULT 0,
    Credit      double DEFAULT 0
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
    TrackSerialNo   boolean DEFAULT 0,
    AllowNegative   boolean DEFAULT 0,
    DateFixed       boolean DEFAULT 0,
    MayChangeSource boolean DEFAULT 1,
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
    MoveID   integer PRIMARY KEY AUTOINCREMENT,
    ItemID   varchar(30) NOT NULL,
    SrNo     varchar(30),
    LocID    integer NOT NULL,
    MoveDate date NOT NULL,
    Qty      double NOT NULL,
    UnitCost double,
    MoveKind varchar(10) DEFAULT 'RECV',
    DocNo    integer
);;
CREATE INDEX IF NOT EXISTS StockMove_Item ON StockMove (ItemID, LocID, MoveDate);;
CREATE INDEX IF NOT EXISTS StockMove_Serial ON StockMove (SrNo, LocID, MoveDate);;
-- The item pick list reads the stock of a location from ICStock.
DROP INDEX IF EXISTS StockMove_Loc;;

-- Items as the requisition import reads them.
CREATE VIEW IF NOT EXISTS ICItemV AS
SELECT ItemID, Descp, StockUnit, TaxPer FROM ICItem;;

-- Quantity on hand per location and item, in stock units: movements, less transfers out of the
-- location, plus transfers into it. The triggers below keep it in the transaction of every change
-- of StockMove, of ICTRAND and of a voucher's destination and date, so that the stock of a location
-- is read a page of items at a time instead of summed over the whole history. LatestDate is the
-- latest date of anything counted in QtyOnHand, or later ('9999-12-31' for a transfer line without
-- a dated voucher); every change raises it to the dates it touches and nothing lowers it, so a
-- balance as of a day on or after it is QtyOnHand. A
-- database that has history but no stock table yet gets it filled from the history once.
CREATE TABLE IF NOT EXISTS ICStock (
    LocID      integer NOT NULL,
    ItemID     varchar(30) NOT NULL,
    QtyOnHand  double NOT NULL DEFAULT 0,
    LatestDate date NOT NULL,
    PRIMARY KEY (LocID, ItemID)
);;
INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
SELECT c.LocID, c.ItemID, SUM(c.q), MAX(c.dt) FROM (
    SELECT m.LocID AS LocID, m.ItemID AS ItemID, m.Qty AS q, m.MoveDate AS dt FROM StockMove m
    UNION ALL
    SELECT d.FromLocID, d.ItemID, -(d.Qty * COALESCE(d.Conver, 1)),
           COALESCE((SELECT h.DocDate FROM ICTRANH h WHERE h.FromLocID = d.FromLocID AND h.DocNo = d.DocNo),
                    '9999-12-31')
    FROM ICTRAND d
    UNION ALL
    SELECT h.ToLocID, d.ItemID, d.Qty * COALESCE(d.Conver, 1), COALESCE(h.DocDate, '9999-12-31')
    FROM ICTRANH h JOIN ICTRAND d ON d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo) c
WHERE c.LocID IS NOT NULL AND c.ItemID IS NOT NULL AND c.q IS NOT NULL AND NOT EXISTS (SELECT 1 FROM ICStock)
GROUP BY c.LocID, c.ItemID;;

CREATE TRIGGER IF NOT EXISTS StockMove_StockIn AFTER INSERT ON StockMove
BEGIN
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate) VALUES (new.LocID, new.ItemID, new.Qty, new.MoveDate)
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;
CREATE TRIGGER IF NOT EXISTS StockMove_StockOut AFTER DELETE ON StockMove
BEGIN
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate) VALUES (old.LocID, old.ItemID, -old.Qty, old.MoveDate)
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;
CREATE TRIGGER IF NOT EXISTS StockMove_StockChange AFTER UPDATE OF ItemID, LocID, Qty, MoveDate ON StockMove
BEGIN
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate) VALUES (old.LocID, old.ItemID, -old.Qty, old.MoveDate)
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate) VALUES (new.LocID, new.ItemID, new.Qty, new.MoveDate)
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;

-- Receipts per location and item (StockMove rows with Qty > 0 and a UnitCost): their quantity,
-- their value (Qty * UnitCost) and how many, kept by the triggers below with every change of
-- StockMove, so that an item's cost, the weighted average of its receipts, is read from one row
-- instead of summed over all of them. LatestDate is the latest day of a receipt counted; nothing
-- lowers it, so a cost as of a day on or after it is ReceivedValue / ReceivedQty. A database that
-- has receipts but no such table yet gets it filled from them once.
CREATE TABLE IF NOT EXISTS ICCost (
    LocID         integer NOT NULL,
    ItemID        varchar(30) NOT NULL,
    ReceivedQty   double NOT NULL DEFAULT 0,
    ReceivedValue double NOT NULL DEFAULT 0,
    Receipts      integer NOT NULL DEFAULT 0,
    LatestDate    date NOT NULL,
    PRIMARY KEY (LocID, ItemID)
);;
INSERT INTO ICCost (LocID, ItemID, ReceivedQty, ReceivedValue, Receipts, LatestDate)
SELECT LocID, ItemID, SUM(Qty), SUM(Qty * UnitCost), COUNT(*), MAX(MoveDate) FROM StockMove
WHERE Qty > 0 AND UnitCost IS NOT NULL AND NOT EXISTS (SELECT 1 FROM ICCost)
GROUP BY LocID, ItemID;;

CREATE TRIGGER IF NOT EXISTS StockMove_CostIn AFTER INSERT ON StockMove
WHEN new.Qty > 0 AND new.UnitCost IS NOT NULL
BEGIN
    INSERT INTO ICCost (LocID, ItemID, ReceivedQty, ReceivedValue, Receipts, LatestDate)
    VALUES (new.LocID, new.ItemID, new.Qty, new.Qty * new.UnitCost, 1, new.MoveDate)
    ON CONFLICT (LocID, ItemID) DO UPDATE SET ReceivedQty = ReceivedQty + excluded.ReceivedQty,
        ReceivedValue = ReceivedValue + excluded.ReceivedValue, Receipts = Receipts + excluded.Receipts,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;
CREATE TRIGGER IF NOT EXISTS StockMove_CostOut AFTER DELETE ON StockMove
WHEN old.Qty > 0 AND old.UnitCost IS NOT NULL
BEGIN
    INSERT INTO ICCost (LocID, ItemID, ReceivedQty, ReceivedValue, Receipts, LatestDate)
    VALUES (old.LocID, old.ItemID, -old.Qty, -(old.Qty * old.UnitCost), -1, old.MoveDate)
    ON CONFLICT (LocID, ItemID) DO UPDATE SET ReceivedQty = ReceivedQty + excluded.ReceivedQty,
        ReceivedValue = ReceivedValue + excluded.ReceivedValue, Receipts = Receipts + excluded.Receipts,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;
CREATE TRIGGER IF NOT EXISTS StockMove_CostChange AFTER UPDATE OF ItemID, LocID, Qty, UnitCost, MoveDate ON StockMove
BEGIN
    INSERT INTO ICCost (LocID, ItemID, ReceivedQty, ReceivedValue, Receipts, LatestDate)
    SELECT old.LocID, old.ItemID, -old.Qty, -(old.Qty * old.UnitCost), -1, old.MoveDate
    WHERE old.Qty > 0 AND old.UnitCost IS NOT NULL
    ON CONFLICT (LocID, ItemID) DO UPDATE SET ReceivedQty = ReceivedQty + excluded.ReceivedQty,
        ReceivedValue = ReceivedValue + excluded.ReceivedValue, Receipts = Receipts + excluded.Receipts,
        LatestDate = max(LatestDate, excluded.LatestDate);
    INSERT INTO ICCost (LocID, ItemID, ReceivedQty, ReceivedValue, Receipts, LatestDate)
    SELECT new.LocID, new.ItemID, new.Qty, new.Qty * new.UnitCost, 1, new.MoveDate
    WHERE new.Qty > 0 AND new.UnitCost IS NOT NULL
    ON CONFLICT (LocID, ItemID) DO UPDATE SET ReceivedQty = ReceivedQty + excluded.ReceivedQty,
        ReceivedValue = ReceivedValue + excluded.ReceivedValue, Receipts = Receipts + excluded.Receipts,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;

-- A line takes its quantity out of its source and into its voucher's destination; a line that
-- goes gives it back. Its date is its voucher's.
CREATE TRIGGER IF NOT EXISTS ICTRAND_StockIn AFTER INSERT ON ICTRAND
WHEN new.ItemID IS NOT NULL AND new.Qty IS NOT NULL
BEGIN
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    VALUES (new.FromLocID, new.ItemID, -(new.Qty * COALESCE(new.Conver, 1)),
            COALESCE((SELECT h.DocDate FROM ICTRANH h WHERE h.FromLocID = new.FromLocID AND h.DocNo = new.DocNo),
                     '9999-12-31'))
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    SELECT h.ToLocID, new.ItemID, new.Qty * COALESCE(new.Conver, 1), COALESCE(h.DocDate, '9999-12-31')
    FROM ICTRANH h WHERE h.FromLocID = new.FromLocID AND h.DocNo = new.DocNo AND h.ToLocID IS NOT NULL
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;
CREATE TRIGGER IF NOT EXISTS ICTRAND_StockOut AFTER DELETE ON ICTRAND
WHEN old.ItemID IS NOT NULL AND old.Qty IS NOT NULL
BEGIN
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    VALUES (old.FromLocID, old.ItemID, old.Qty * COALESCE(old.Conver, 1),
            COALESCE((SELECT h.DocDate FROM ICTRANH h WHERE h.FromLocID = old.FromLocID AND h.DocNo = old.DocNo),
                     '9999-12-31'))
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    SELECT h.ToLocID, old.ItemID, -(old.Qty * COALESCE(old.Conver, 1)), COALESCE(h.DocDate, '9999-12-31')
    FROM ICTRANH h WHERE h.FromLocID = old.FromLocID AND h.DocNo = old.DocNo AND h.ToLocID IS NOT NULL
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;
-- A changed line is the old one going and the new one coming.
CREATE TRIGGER IF NOT EXISTS ICTRAND_StockChange AFTER UPDATE OF FromLocID, DocNo, ItemID, Qty, Conver ON ICTRAND
BEGIN
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    SELECT old.FromLocID, old.ItemID, old.Qty * COALESCE(old.Conver, 1),
           COALESCE((SELECT h.DocDate FROM ICTRANH h WHERE h.FromLocID = old.FromLocID AND h.DocNo = old.DocNo),
                    '9999-12-31')
    WHERE old.ItemID IS NOT NULL AND old.Qty IS NOT NULL
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    SELECT h.ToLocID, old.ItemID, -(old.Qty * COALESCE(old.Conver, 1)), COALESCE(h.DocDate, '9999-12-31')
    FROM ICTRANH h
    WHERE h.FromLocID = old.FromLocID AND h.DocNo = old.DocNo AND h.ToLocID IS NOT NULL
      AND old.ItemID IS NOT NULL AND old.Qty IS NOT NULL
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    SELECT new.FromLocID, new.ItemID, -(new.Qty * COALESCE(new.Conver, 1)),
           COALESCE((SELECT h.DocDate FROM ICTRANH h WHERE h.FromLocID = new.FromLocID AND h.DocNo = new.DocNo),
                    '9999-12-31')
    WHERE new.ItemID IS NOT NULL AND new.Qty IS NOT NULL
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    SELECT h.ToLocID, new.ItemID, new.Qty * COALESCE(new.Conver, 1), COALESCE(h.DocDate, '9999-12-31')
    FROM ICTRANH h
    WHERE h.FromLocID = new.FromLocID AND h.DocNo = new.DocNo AND h.ToLocID IS NOT NULL
      AND new.ItemID IS NOT NULL AND new.Qty IS NOT NULL
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;
-- Lines written before their voucher (where foreign keys are not enforced) come into its
-- destination when it arrives.
CREATE TRIGGER IF NOT EXISTS ICTRANH_StockArrival AFTER INSERT ON ICTRANH
WHEN new.ToLocID IS NOT NULL
BEGIN
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    SELECT new.ToLocID, d.ItemID, SUM(d.Qty * COALESCE(d.Conver, 1)), COALESCE(new.DocDate, '9999-12-31')
    FROM ICTRAND d
    WHERE d.FromLocID = new.FromLocID AND d.DocNo = new.DocNo AND d.ItemID IS NOT NULL AND d.Qty IS NOT NULL
    GROUP BY d.ItemID
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;
-- A voucher sent elsewhere moves its lines' quantities from the old destination to the new.
CREATE TRIGGER IF NOT EXISTS ICTRANH_StockDestination AFTER UPDATE OF ToLocID ON ICTRANH
WHEN old.ToLocID IS NOT new.ToLocID
BEGIN
    INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
    SELECT c.LocID, c.ItemID, SUM(c.q), COALESCE(new.DocDate, '9999-12-31') FROM (
        SELECT old.ToLocID AS LocID, d.ItemID AS ItemID, -(d.Qty * COALESCE(d.Conver, 1)) AS q FROM ICTRAND d
        WHERE d.FromLocID = new.FromLocID AND d.DocNo = new.DocNo
        UNION ALL
        SELECT new.ToLocID, d.ItemID, d.Qty * COALESCE(d.Conver, 1) FROM ICTRAND d
        WHERE d.FromLocID = new.FromLocID AND d.DocNo = new.DocNo) c
    WHERE c.LocID IS NOT NULL AND c.ItemID IS NOT NULL AND c.q IS NOT NULL
    GROUP BY c.LocID, c.ItemID
    ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = QtyOnHand + excluded.QtyOnHand,
        LatestDate = max(LatestDate, excluded.LatestDate);
END;;
-- A voucher moved to a later day moves its lines' latest date at both of its locations.
CREATE TRIGGER IF NOT EXISTS ICTRANH_StockDate AFTER UPDATE OF DocDate ON ICTRANH
WHEN old.DocDate IS NOT new.DocDate
BEGIN
    UPDATE ICStock SET LatestDate = max(LatestDate, COALESCE(new.DocDate, '9999-12-31'))
    WHERE LocID IN (new.FromLocID, new.ToLocID)
      AND ItemID IN (SELECT d.ItemID FROM ICTRAND d WHERE d.FromLocID = new.FromLocID AND d.DocNo = new.DocNo);
END;;

-- The stock of every item at every location where it ever moved, for the item pick list (a
-- condition on LocID and a search on ItemID seek the stock table's key). An item missing from
-- ICItem is listed without Descp.
DROP VIEW IF EXISTS CurrentStock;;
CREATE VIEW CurrentStock AS
SELECT s.ItemID AS ItemID, (SELECT i.Descp FROM ICItem i WHERE i.ItemID = s.ItemID) AS Descp, s.LocID AS LocID,
       s.QtyOnHand AS QtyOnHand
FROM ICStock s;;
