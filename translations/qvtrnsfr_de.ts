<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>companions::LedgerVoucher</name>
    <message>
        <source>Account ID</source>
        <translation>Kontonummer</translation>
    </message>
    <message>
        <source>Account Name</source>
        <translation>Kontobezeichnung</translation>
    </message>
    <message>
        <source>Narration</source>
        <translation>Buchungstext</translation>
    </message>
    <message>
        <source>Debit</source>
        <translation>Soll</translation>
    </message>
    <message>
        <source>Credit</source>
        <translation>Haben</translation>
    </message>
    <message>
        <source>Voucher No.:</source>
        <translation>Beleg-Nr.:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Summe</translation>
    </message>
</context>
<context>
    <name>companions::LookupListDialog</name>
    <message>
        <source>The list condition could not be read; nothing is listed.</source>
        <translation>Die Listenbedingung konnte nicht gelesen werden; es wird nichts angezeigt.</translation>
    </message>
    <message>
        <source>The list could not be read.</source>
        <translation>Die Liste konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 rows listed and more follow: scroll down for them, or type to narrow the list.</source>
        <translation>%1 Zeilen angezeigt, weitere folgen: nach unten blättern oder zum Eingrenzen weitertippen.</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Zeilen</translation>
    </message>
</context>
<context>
    <name>ctlTransfer</name>
    <message>
        <source>From Location:</source>
        <translation>Von Lagerort:</translation>
    </message>
    <message>
        <source>From Req. No.:</source>
        <translation>Anford.-Nr.:</translation>
    </message>
    <message>
        <source>Document No.:</source>
        <translation>Beleg-Nr.:</translation>
    </message>
    <message>
        <source>To Location:</source>
        <translation>Nach Lager:</translation>
    </message>
    <message>
        <source>Documnt Date:</source>
        <translation>Belegdatum:</translation>
    </message>
    <message>
        <source>Narration:</source>
        <translation>Vermerk:</translation>
    </message>
    <message>
        <source>Sales Order No.:</source>
        <translation>Auftrags-Nr.:</translation>
    </message>
    <message>
        <source>Total Qty.:</source>
        <translation>Summe:</translation>
    </message>
    <message>
        <source>Enable Scanning Mode</source>
        <translation>Scanmodus aktivieren</translation>
    </message>
    <message>
        <source>Show item pricing using price list</source>
        <translation>Preise aus Preisliste anzeigen</translation>
    </message>
    <message>
        <source>Choose the source location</source>
        <translation>Ausgangslagerort auswählen</translation>
    </message>
    <message>
        <source>Fill the lines from the requisition</source>
        <translation>Positionen aus der Anforderung übernehmen</translation>
    </message>
    <message>
        <source>Choose a requisition of the destination location</source>
        <translation>Anforderung des Ziellagerorts auswählen</translation>
    </message>
    <message>
        <source>Start a new voucher</source>
        <translation>Neuen Beleg beginnen</translation>
    </message>
    <message>
        <source>Find a saved voucher</source>
        <translation>Gespeicherten Beleg suchen</translation>
    </message>
    <message>
        <source>Choose the destination location</source>
        <translation>Ziellagerort auswählen</translation>
    </message>
    <message>
        <source>Print Voucher</source>
        <translation>Beleg drucken</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Artikel</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Locations</source>
        <translation>Lagerorte</translation>
    </message>
    <message>
        <source>Requisition Slips</source>
        <translation>Materialanforderungen</translation>
    </message>
    <message>
        <source>Requisition not found or Requisition Completed.</source>
        <translation>Anforderung nicht gefunden oder bereits vollständig erledigt.</translation>
    </message>
    <message>
        <source>PO</source>
        <translation>Anforderung</translation>
    </message>
    <message>
        <source>Error %1 (%2) in procedure FillPriceList of User Control ctlTransfer</source>
        <translation>Fehler %1 (%2) in der Prozedur FillPriceList des Steuerelements ctlTransfer</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Document Number  %1  Is Saved Successfully </source>
        <translation>Beleg Nr.  %1  wurde erfolgreich gespeichert.</translation>
    </message>
    <message>
        <source>Document not found.</source>
        <translation>Beleg nicht gefunden.</translation>
    </message>
    <message>
        <source>Transfers</source>
        <translation>Umlagerungen</translation>
    </message>
    <message>
        <source>Save Document</source>
        <translation>Beleg speichern</translation>
    </message>
    <message>
        <source>Are you sure you want to delete?</source>
        <translation>Möchten Sie den Beleg wirklich löschen?</translation>
    </message>
    <message>
        <source>Delete Transfer</source>
        <translation>Umlagerung löschen</translation>
    </message>
    <message>
        <source>Delete Error</source>
        <translation>Fehler beim Löschen</translation>
    </message>
    <message>
        <source>Velta Transfers</source>
        <translation>Velta Transfers</translation>
    </message>
    <message>
        <source>From location name</source>
        <translation>Name des Ausgangslagerorts</translation>
    </message>
    <message>
        <source>To location name</source>
        <translation>Name des Ziellagerorts</translation>
    </message>
    <message>
        <source>Price list</source>
        <translation>Preisliste</translation>
    </message>
    <message>
        <source>Price lists</source>
        <translation>Preislisten</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Positionen</translation>
    </message>
    <message>
        <source>Transfer Voucher</source>
        <translation>Umlagerungsbeleg</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Von:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Nach:</translation>
    </message>
    <message>
        <source>Order No.:</source>
        <translation>Auftrags-Nr.:</translation>
    </message>
    <message>
        <source>Requisition No.:</source>
        <translation>Anforderungs-Nr.:</translation>
    </message>
    <message>
        <source>Voucher No.:</source>
        <translation>Beleg-Nr.:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Total Quantity:</source>
        <translation>Gesamtmenge:</translation>
    </message>
    <message>
        <source>Issued by</source>
        <translation>Ausgegeben von</translation>
    </message>
    <message>
        <source>Received by</source>
        <translation>Empfangen von</translation>
    </message>
    <message>
        <source>The scanned GS1 code cannot be used: %1.</source>
        <translation>Der gescannte GS1-Code kann nicht verwendet werden: %1.</translation>
    </message>
    <message>
        <source>Paste Lines</source>
        <translation>Zeilen einfügen</translation>
    </message>
    <message>
        <source>Import Lines from CSV…</source>
        <translation>Zeilen aus CSV importieren…</translation>
    </message>
    <message>
        <source>There are no lines to add.</source>
        <translation>Es gibt keine Zeilen zum Hinzufügen.</translation>
    </message>
    <message>
        <source>No line was added. These rows cannot be used:</source>
        <translation>Es wurde keine Zeile hinzugefügt. Diese Zeilen können nicht verwendet werden:</translation>
    </message>
    <message>
        <source>Import Lines from CSV</source>
        <translation>Zeilen aus CSV importieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message numerus="yes">
        <source>A voucher of %n line(s) that was not saved was kept on %1. Restore it?</source>
        <translation>
            <numerusform>Ein nicht gespeicherter Beleg mit %n Zeile wurde am %1 aufbewahrt. Wiederherstellen?</numerusform>
            <numerusform>Ein nicht gespeicherter Beleg mit %n Zeilen wurde am %1 aufbewahrt. Wiederherstellen?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::Catalog</name>
    <message>
        <source>Invalid use of Null</source>
        <translation>Unzulässige Verwendung von Null</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::Gs1</name>
    <message>
        <source>no application identifier at character %1</source>
        <translation>kein Datenbezeichner an Zeichen %1</translation>
    </message>
    <message>
        <source>the application identifier (%1) is not known</source>
        <translation>der Datenbezeichner (%1) ist unbekannt</translation>
    </message>
    <message>
        <source>(%1) appears twice</source>
        <translation>(%1) kommt zweimal vor</translation>
    </message>
    <message>
        <source>(%1) is empty</source>
        <translation>(%1) ist leer</translation>
    </message>
    <message>
        <source>(%1) is longer than %2 characters</source>
        <translation>(%1) ist länger als %2 Zeichen</translation>
    </message>
    <message>
        <source>(%1) is shorter than %2 digits</source>
        <translation>(%1) ist kürzer als %2 Ziffern</translation>
    </message>
    <message>
        <source>(%1) holds more than digits</source>
        <translation>(%1) enthält nicht nur Ziffern</translation>
    </message>
    <message>
        <source>it names no GTIN (01)</source>
        <translation>er enthält keine GTIN (01)</translation>
    </message>
    <message>
        <source>the check digit of GTIN %1 is wrong</source>
        <translation>die Prüfziffer der GTIN %1 ist falsch</translation>
    </message>
    <message>
        <source>it holds two counts, (30) and (37)</source>
        <translation>er enthält zwei Mengen, (30) und (37)</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::HeaderRules</name>
    <message>
        <source>Empty from location can not be allowed.</source>
        <translation>Der Ausgangslagerort darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Empty to location can not be allowed.</source>
        <translation>Der Ziellagerort darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Transfer from location and to location are same.</source>
        <translation>Ausgangs- und Ziellagerort sind identisch.</translation>
    </message>
    <message>
        <source>Empty voucher can not be saved.</source>
        <translation>Ein leerer Beleg kann nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::LineArray</name>
    <message>
        <source>Item Code</source>
        <translation>Art.-Nr.</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Bezeichn.</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>Faktor</translation>
    </message>
    <message>
        <source>Qty.</source>
        <translation>Menge</translation>
    </message>
    <message>
        <source>Serial No.</source>
        <translation>Serien-Nr.</translation>
    </message>
    <message>
        <source>Engine No.</source>
        <translation>Motor-Nr.</translation>
    </message>
    <message>
        <source>Sale Price</source>
        <translation>Verkaufspreis</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::LineDelegate</name>
    <message>
        <source>Pick from the list (F4)</source>
        <translation>Aus der Liste auswählen (F4)</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::LineGrid</name>
    <message>
        <source>The text is too long for this column: it takes at most %1 characters.</source>
        <translation>Der Text ist für diese Spalte zu lang: Sie fasst höchstens %1 Zeichen.</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::LineImport</name>
    <message>
        <source>Row %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>no item code</source>
        <translation>keine Artikelnummer</translation>
    </message>
    <message>
        <source>item %1 not found</source>
        <translation>Artikel %1 nicht gefunden</translation>
    </message>
    <message>
        <source>the item could not be looked up</source>
        <translation>der Artikel konnte nicht gesucht werden</translation>
    </message>
    <message>
        <source>%1 is not a unit of item %2</source>
        <translation>%1 ist keine Einheit des Artikels %2</translation>
    </message>
    <message>
        <source>the quantity %1 is not a number</source>
        <translation>die Menge %1 ist keine Zahl</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::LineRules</name>
    <message>
        <source>Item Code code can not be blank.</source>
        <translation>Die Artikelnummer darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Unit can not be blank.</source>
        <translation>Die Einheit darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Quantity can not be blank.</source>
        <translation>Die Menge darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Serial No. does not exist.</source>
        <translation>Die Seriennummer ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>This Serialized Item has not in balance.</source>
        <translation>Dieser seriennummerngeführte Artikel ist nicht am Lager.</translation>
    </message>
    <message>
        <source>Item has not in balance and Negative Inventory not allowed.</source>
        <translation>Der Lagerbestand des Artikels reicht nicht aus, und negative Bestände sind nicht zulässig.</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::Locations</name>
    <message>
        <source>Location not found.</source>
        <translation>Lagerort nicht gefunden.</translation>
    </message>
    <message>
        <source>You are not authorized to tranfer from this location.</source>
        <translation>Sie sind nicht berechtigt, von diesem Lagerort umzulagern.</translation>
    </message>
    <message>
        <source>You are not authorized to tranfer to this location.</source>
        <translation>Sie sind nicht berechtigt, an diesen Lagerort umzulagern.</translation>
    </message>
    <message>
        <source>From Loc</source>
        <translation>Lagerort</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::Requisitions</name>
    <message>
        <source>Invalid use of Null</source>
        <translation>Unzulässige Verwendung von Null</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>The requisition has no column %1.</source>
        <translation>Die Anforderung hat keine Spalte %1.</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::VoucherSave</name>
    <message>
        <source>The destination location is not a number.</source>
        <translation>Der Ziellagerort ist keine Zahl.</translation>
    </message>
    <message>
        <source>The total quantity is not a number.</source>
        <translation>Die Gesamtmenge ist keine Zahl.</translation>
    </message>
    <message>
        <source>The voucher was deleted by another user while it was being saved.</source>
        <translation>Der Beleg wurde während des Speicherns von einem anderen Benutzer gelöscht.</translation>
    </message>
    <message>
        <source>No free document number could be taken for location %1; other users kept taking the next one. Please save again.</source>
        <translation>Für Lagerort %1 konnte keine freie Belegnummer vergeben werden, da andere Benutzer die nächste Nummer jeweils zuvor belegt haben. Bitte speichern Sie erneut.</translation>
    </message>
    <message>
        <source>Line %1: &quot;%2&quot; in %3 is not a number.</source>
        <translation>Zeile %1: „%2“ in %3 ist keine Zahl.</translation>
    </message>
    <message>
        <source>The source location or the document number is out of range.</source>
        <translation>Ausgangslagerort oder Belegnummer liegen außerhalb des zulässigen Bereichs.</translation>
    </message>
    <message>
        <source>The inventory component is not available.</source>
        <translation>Die Bestandskomponente ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>The cost of item %1 could not be read.</source>
        <translation>Der Einstandspreis des Artikels %1 konnte nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>qvtrnsfr::VoucherStore</name>
    <message>
        <source>Voucher %1 was saved by %2 at %3 after you recalled it. Your changes were not saved; recall the voucher again to see the saved one.</source>
        <translation>Beleg %1 wurde nach Ihrem Abruf von %2 am %3 gespeichert. Ihre Änderungen wurden nicht gespeichert; rufen Sie den Beleg erneut ab, um den gespeicherten Stand zu sehen.</translation>
    </message>
    <message>
        <source>Voucher %1 was saved by %2 at %3 after you recalled it. It was not deleted; recall the voucher again first.</source>
        <translation>Beleg %1 wurde nach Ihrem Abruf von %2 am %3 gespeichert. Er wurde nicht gelöscht; rufen Sie den Beleg zuerst erneut ab.</translation>
    </message>
</context>
</TS>
