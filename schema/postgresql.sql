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
-- Every save of a voucher adds 1, so that a save or delete of a voucher recalled before another
-- user's save is refused. Added to headers made before it.
ALTER TABLE ICTRANH ADD COLUMN IF NOT EXISTS RowVersion integer NOT NULL DEFAULT 0;;
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
-- An item's lines at a source, by voucher: the stock of an item leaving one voucher out seeks
-- the voucher's line in the index instead of reading every line of the item at the location.
DROP INDEX IF EXISTS ICTRAND_Item;;
CREATE INDEX IF NOT EXISTS ICTRAND_ItemDoc ON ICTRAND (ItemID, FromLocID, DocNo);;
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
-- The item pick list reads the stock of a location from ICStock.
DROP INDEX IF EXISTS StockMove_Loc;;

-- Items as the requisition import reads them.
CREATE OR REPLACE VIEW ICItemV AS
SELECT ItemID, Descp, StockUnit, TaxPer FROM ICItem;;

-- Quantity on hand per location and item, in stock units: movements, less transfers out of the
-- location, plus transfers into it. The triggers below keep it in the transaction of every change
-- of StockMove, of ICTRAND and of a voucher's destination and date, so that the stock of a location
-- is read a page of items at a time instead of summed over the whole history. They add up the rows
-- a statement changed and touch the stock rows in key order, so that two inserts or deletes never
-- wait for each other the wrong way round (an update gives back, then adds, in two such steps).
-- LatestDate is the latest date of anything counted in QtyOnHand,
-- or later (infinity for a transfer line without a dated voucher); every change raises it to the
-- dates it touches and nothing lowers it, so a balance as of a day on or after it is QtyOnHand. A
-- database that has history but no stock table yet gets it filled from the history once.
CREATE TABLE IF NOT EXISTS ICStock (
    LocID      integer NOT NULL,
    ItemID     varchar(30) NOT NULL,
    QtyOnHand  double precision NOT NULL DEFAULT 0,
    LatestDate date NOT NULL,
    PRIMARY KEY (LocID, ItemID)
);;
INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
SELECT c.LocID, c.ItemID, SUM(c.q), MAX(c.dt) FROM (
    SELECT m.LocID AS LocID, m.ItemID AS ItemID, m.Qty AS q, m.MoveDate AS dt FROM StockMove m
    UNION ALL
    SELECT d.FromLocID, d.ItemID, -(d.Qty * COALESCE(d.Conver, 1)), COALESCE(h.DocDate, DATE 'infinity')
    FROM ICTRAND d LEFT JOIN ICTRANH h ON h.FromLocID = d.FromLocID AND h.DocNo = d.DocNo
    UNION ALL
    SELECT h.ToLocID, d.ItemID, d.Qty * COALESCE(d.Conver, 1), COALESCE(h.DocDate, DATE 'infinity')
    FROM ICTRANH h JOIN ICTRAND d ON d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo) c
WHERE c.LocID IS NOT NULL AND c.ItemID IS NOT NULL AND c.q IS NOT NULL AND NOT EXISTS (SELECT 1 FROM ICStock)
GROUP BY c.LocID, c.ItemID;;

CREATE OR REPLACE FUNCTION stockmove_stock() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    -- The rows that went give their quantity back, the rows that came add theirs (an update is
    -- both). A branch not taken never reads the transition table its trigger does not have.
    IF TG_OP <> 'INSERT' THEN
        INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
        SELECT c.LocID, c.ItemID, SUM(c.q), MAX(c.dt) FROM (
            SELECT r.LocID AS LocID, r.ItemID AS ItemID, -r.Qty AS q, r.MoveDate AS dt FROM old_rows r) c
        GROUP BY c.LocID, c.ItemID ORDER BY c.LocID, c.ItemID
        ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = ICStock.QtyOnHand + EXCLUDED.QtyOnHand,
            LatestDate = GREATEST(ICStock.LatestDate, EXCLUDED.LatestDate);
    END IF;
    IF TG_OP <> 'DELETE' THEN
        INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
        SELECT c.LocID, c.ItemID, SUM(c.q), MAX(c.dt) FROM (
            SELECT r.LocID AS LocID, r.ItemID AS ItemID, r.Qty AS q, r.MoveDate AS dt FROM new_rows r) c
        GROUP BY c.LocID, c.ItemID ORDER BY c.LocID, c.ItemID
        ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = ICStock.QtyOnHand + EXCLUDED.QtyOnHand,
            LatestDate = GREATEST(ICStock.LatestDate, EXCLUDED.LatestDate);
    END IF;
    RETURN NULL;
END $$;;
CREATE OR REPLACE TRIGGER StockMove_StockIn AFTER INSERT ON StockMove
    REFERENCING NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION stockmove_stock();;
CREATE OR REPLACE TRIGGER StockMove_StockOut AFTER DELETE ON StockMove
    REFERENCING OLD TABLE AS old_rows FOR EACH STATEMENT EXECUTE FUNCTION stockmove_stock();;
CREATE OR REPLACE TRIGGER StockMove_StockChange AFTER UPDATE ON StockMove
    REFERENCING OLD TABLE AS old_rows NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION stockmove_stock();;

-- Receipts per location and item (StockMove rows with Qty > 0 and a UnitCost): their quantity,
-- their value (Qty * UnitCost) and how many, kept by the triggers below with every change of
-- StockMove, so that an item's cost, the weighted average of its receipts, is read from one row
-- instead of summed over all of them. LatestDate is the latest day of a receipt counted; nothing
-- lowers it, so a cost as of a day on or after it is ReceivedValue / ReceivedQty. A database that
-- has receipts but no such table yet gets it filled from them once.
CREATE TABLE IF NOT EXISTS ICCost (
    LocID         integer NOT NULL,
    ItemID        varchar(30) NOT NULL,
    ReceivedQty   double precision NOT NULL DEFAULT 0,
    ReceivedValue double precision NOT NULL DEFAULT 0,
    Receipts      integer NOT NULL DEFAULT 0,
    LatestDate    date NOT NULL,
    PRIMARY KEY (LocID, ItemID)
);;
INSERT INTO ICCost (LocID, ItemID, ReceivedQty, ReceivedValue, Receipts, LatestDate)
SELECT LocID, ItemID, SUM(Qty), SUM(Qty * UnitCost), COUNT(*), MAX(MoveDate) FROM StockMove
WHERE Qty > 0 AND UnitCost IS NOT NULL AND NOT EXISTS (SELECT 1 FROM ICCost)
GROUP BY LocID, ItemID;;

CREATE OR REPLACE FUNCTION stockmove_cost() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    -- As for the stock: the receipts that went, then the receipts that came, in key order.
    IF TG_OP <> 'INSERT' THEN
        INSERT INTO ICCost (LocID, ItemID, ReceivedQty, ReceivedValue, Receipts, LatestDate)
        SELECT r.LocID, r.ItemID, -SUM(r.Qty), -SUM(r.Qty * r.UnitCost), -COUNT(*), MAX(r.MoveDate)
        FROM old_rows r WHERE r.Qty > 0 AND r.UnitCost IS NOT NULL
        GROUP BY r.LocID, r.ItemID ORDER BY r.LocID, r.ItemID
        ON CONFLICT (LocID, ItemID) DO UPDATE SET ReceivedQty = ICCost.ReceivedQty + EXCLUDED.ReceivedQty,
            ReceivedValue = ICCost.ReceivedValue + EXCLUDED.ReceivedValue,
            Receipts = ICCost.Receipts + EXCLUDED.Receipts,
            LatestDate = GREATEST(ICCost.LatestDate, EXCLUDED.LatestDate);
    END IF;
    IF TG_OP <> 'DELETE' THEN
        INSERT INTO ICCost (LocID, ItemID, ReceivedQty, ReceivedValue, Receipts, LatestDate)
        SELECT r.LocID, r.ItemID, SUM(r.Qty), SUM(r.Qty * r.UnitCost), COUNT(*), MAX(r.MoveDate)
        FROM new_rows r WHERE r.Qty > 0 AND r.UnitCost IS NOT NULL
        GROUP BY r.LocID, r.ItemID ORDER BY r.LocID, r.ItemID
        ON CONFLICT (LocID, ItemID) DO UPDATE SET ReceivedQty = ICCost.ReceivedQty + EXCLUDED.ReceivedQty,
            ReceivedValue = ICCost.ReceivedValue + EXCLUDED.ReceivedValue,
            Receipts = ICCost.Receipts + EXCLUDED.Receipts,
            LatestDate = GREATEST(ICCost.LatestDate, EXCLUDED.LatestDate);
    END IF;
    RETURN NULL;
END $$;;
CREATE OR REPLACE TRIGGER StockMove_CostIn AFTER INSERT ON StockMove
    REFERENCING NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION stockmove_cost();;
CREATE OR REPLACE TRIGGER StockMove_CostOut AFTER DELETE ON StockMove
    REFERENCING OLD TABLE AS old_rows FOR EACH STATEMENT EXECUTE FUNCTION stockmove_cost();;
CREATE OR REPLACE TRIGGER StockMove_CostChange AFTER UPDATE ON StockMove
    REFERENCING OLD TABLE AS old_rows NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION stockmove_cost();;

-- A line takes its quantity out of its source and into its voucher's destination; a line that
-- goes gives it back; a changed line is the old one going and the new one coming. Its date is
-- its voucher's.
CREATE OR REPLACE FUNCTION ictrand_stock() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    -- As for StockMove: the lines that went, then the lines that came.
    IF TG_OP <> 'INSERT' THEN
        INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
        SELECT c.LocID, c.ItemID, SUM(c.q), MAX(c.dt) FROM (
            SELECT r.FromLocID AS LocID, r.ItemID AS ItemID, (r.Qty * COALESCE(r.Conver, 1)) AS q,
                   COALESCE(h.DocDate, DATE 'infinity') AS dt
            FROM old_rows r LEFT JOIN ICTRANH h ON h.FromLocID = r.FromLocID AND h.DocNo = r.DocNo
            UNION ALL
            SELECT h.ToLocID, r.ItemID, -(r.Qty * COALESCE(r.Conver, 1)), COALESCE(h.DocDate, DATE 'infinity')
            FROM old_rows r JOIN ICTRANH h ON h.FromLocID = r.FromLocID AND h.DocNo = r.DocNo) c
        WHERE c.LocID IS NOT NULL AND c.ItemID IS NOT NULL AND c.q IS NOT NULL
        GROUP BY c.LocID, c.ItemID ORDER BY c.LocID, c.ItemID
        ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = ICStock.QtyOnHand + EXCLUDED.QtyOnHand,
            LatestDate = GREATEST(ICStock.LatestDate, EXCLUDED.LatestDate);
    END IF;
    IF TG_OP <> 'DELETE' THEN
        INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
        SELECT c.LocID, c.ItemID, SUM(c.q), MAX(c.dt) FROM (
            SELECT r.FromLocID AS LocID, r.ItemID AS ItemID, -(r.Qty * COALESCE(r.Conver, 1)) AS q,
                   COALESCE(h.DocDate, DATE 'infinity') AS dt
            FROM new_rows r LEFT JOIN ICTRANH h ON h.FromLocID = r.FromLocID AND h.DocNo = r.DocNo
            UNION ALL
            SELECT h.ToLocID, r.ItemID, (r.Qty * COALESCE(r.Conver, 1)), COALESCE(h.DocDate, DATE 'infinity')
            FROM new_rows r JOIN ICTRANH h ON h.FromLocID = r.FromLocID AND h.DocNo = r.DocNo) c
        WHERE c.LocID IS NOT NULL AND c.ItemID IS NOT NULL AND c.q IS NOT NULL
        GROUP BY c.LocID, c.ItemID ORDER BY c.LocID, c.ItemID
        ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = ICStock.QtyOnHand + EXCLUDED.QtyOnHand,
            LatestDate = GREATEST(ICStock.LatestDate, EXCLUDED.LatestDate);
    END IF;
    RETURN NULL;
END $$;;
CREATE OR REPLACE TRIGGER ICTRAND_StockIn AFTER INSERT ON ICTRAND
    REFERENCING NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION ictrand_stock();;
CREATE OR REPLACE TRIGGER ICTRAND_StockOut AFTER DELETE ON ICTRAND
    REFERENCING OLD TABLE AS old_rows FOR EACH STATEMENT EXECUTE FUNCTION ictrand_stock();;
CREATE OR REPLACE TRIGGER ICTRAND_StockChange AFTER UPDATE ON ICTRAND
    REFERENCING OLD TABLE AS old_rows NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION ictrand_stock();;

-- A voucher's lines go before it, while it still names the destination their stock went to (the
-- foreign key's own cascade runs only after the header is gone).
CREATE OR REPLACE FUNCTION ictranh_delete_lines() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    DELETE FROM ICTRAND WHERE FromLocID = OLD.FromLocID AND DocNo = OLD.DocNo;
    RETURN OLD;
END $$;;
CREATE OR REPLACE TRIGGER ICTRANH_DeleteLinesFirst BEFORE DELETE ON ICTRANH
    FOR EACH ROW EXECUTE FUNCTION ictranh_delete_lines();;

-- Lines written before their voucher (where the foreign key is deferred) come into its
-- destination when it arrives; a voucher sent elsewhere moves its lines' quantities from the old
-- destination to the new; a voucher moved to a later day moves its lines' latest date at both of
-- its locations.
CREATE OR REPLACE FUNCTION ictranh_stock() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    IF TG_OP = 'INSERT' OR OLD.ToLocID IS DISTINCT FROM NEW.ToLocID THEN
        INSERT INTO ICStock (LocID, ItemID, QtyOnHand, LatestDate)
        SELECT c.LocID, c.ItemID, SUM(c.q), COALESCE(NEW.DocDate, DATE 'infinity') FROM (
            SELECT OLD.ToLocID AS LocID, d.ItemID AS ItemID, -(d.Qty * COALESCE(d.Conver, 1)) AS q FROM ICTRAND d
            WHERE TG_OP = 'UPDATE' AND d.FromLocID = NEW.FromLocID AND d.DocNo = NEW.DocNo
            UNION ALL
            SELECT NEW.ToLocID, d.ItemID, d.Qty * COALESCE(d.Conver, 1) FROM ICTRAND d
            WHERE d.FromLocID = NEW.FromLocID AND d.DocNo = NEW.DocNo) c
        WHERE c.LocID IS NOT NULL AND c.ItemID IS NOT NULL AND c.q IS NOT NULL
        GROUP BY c.LocID, c.ItemID ORDER BY c.LocID, c.ItemID
        ON CONFLICT (LocID, ItemID) DO UPDATE SET QtyOnHand = ICStock.QtyOnHand + EXCLUDED.QtyOnHand,
            LatestDate = GREATEST(ICStock.LatestDate, EXCLUDED.LatestDate);
    END IF;
    IF TG_OP = 'UPDATE' AND OLD.DocDate IS DISTINCT FROM NEW.DocDate THEN
        UPDATE ICStock SET LatestDate = GREATEST(LatestDate, COALESCE(NEW.DocDate, DATE 'infinity'))
        WHERE LocID IN (NEW.FromLocID, NEW.ToLocID)
          AND ItemID IN (SELECT d.ItemID FROM ICTRAND d WHERE d.FromLocID = NEW.FromLocID AND d.DocNo = NEW.DocNo);
    END IF;
    RETURN NULL;
END $$;;
DROP TRIGGER IF EXISTS ICTRANH_StockDestination ON ICTRANH;;
DROP FUNCTION IF EXISTS ictranh_destination_stock();;
CREATE OR REPLACE TRIGGER ICTRANH_StockArrival AFTER INSERT ON ICTRANH
    FOR EACH ROW WHEN (NEW.ToLocID IS NOT NULL) EXECUTE FUNCTION ictranh_stock();;
CREATE OR REPLACE TRIGGER ICTRANH_StockChange AFTER UPDATE OF ToLocID, DocDate ON ICTRANH
    FOR EACH ROW WHEN (OLD.ToLocID IS DISTINCT FROM NEW.ToLocID OR OLD.DocDate IS DISTINCT FROM NEW.DocDate)
    EXECUTE FUNCTION ictranh_stock();;

-- The stock of every item at every location where it ever moved, for the item pick list (a
-- condition on LocID and a search on ItemID seek the stock table's key). An item missing from
-- ICItem is listed without Descp.
CREATE OR REPLACE VIEW CurrentStock AS
SELECT s.ItemID AS ItemID, (SELECT i.Descp FROM ICItem i WHERE i.ItemID = s.ItemID) AS Descp, s.LocID AS LocID,
       s.QtyOnHand AS QtyOnHand
FROM ICStock s;;
