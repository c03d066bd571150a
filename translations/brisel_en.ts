<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BoardView</name>
    <message>
        <source>&lt;qt&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Valore: %2&lt;br&gt;Footprint: %3&lt;br&gt;X: %4 &amp;nbsp;Y: %5&lt;br&gt;Angolo: %6 (%7°)&lt;/qt&gt;</source>
        <translation>&lt;qt&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Value: %2&lt;br&gt;Footprint: %3&lt;br&gt;X: %4 &amp;nbsp;Y: %5&lt;br&gt;Angle: %6 (%7°)&lt;/qt&gt;</translation>
    </message>
    <message>
        <source>%1 × %2 mm</source>
        <translation>%1 × %2 mm</translation>
    </message>
    <message>
        <source>lato B (visto attraverso la scheda)</source>
        <translation>side B (seen through the board)</translation>
    </message>
</context>
<context>
    <name>Button</name>
    <message>
        <source>Apri REP</source>
        <translation>Open REP</translation>
    </message>
    <message>
        <source>Apre CMP</source>
        <translation>Open CMP</translation>
    </message>
    <message>
        <source>Apre MNT</source>
        <translation>Open MNT</translation>
    </message>
    <message>
        <source>Apre BOM</source>
        <translation>Open BOM</translation>
    </message>
    <message>
        <source>Apre TXT</source>
        <translation>Open TXT</translation>
    </message>
    <message>
        <source>Riferimento</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>Applica RAK</source>
        <translation>Apply RAK</translation>
    </message>
    <message>
        <source>Merge FootPrint</source>
        <translation>Merge Footprints</translation>
    </message>
    <message>
        <source>RIORDINA COLONNA CURSORE</source>
        <translation>SORT BY CURSOR COLUMN</translation>
    </message>
    <message>
        <source>CANCELLA LINEE SELEZIONATE</source>
        <translation>DELETE SELECTED ROWS</translation>
    </message>
    <message>
        <source>Crea Output File</source>
        <translation>Write QPF File</translation>
    </message>
    <message>
        <source>Apri QPF generato</source>
        <translation>Open Written QPF</translation>
    </message>
    <message>
        <source>Crea Output per ZIRKAN</source>
        <translation>Write ZIRKAN File</translation>
    </message>
    <message>
        <source>Apre ZIRKAN generato</source>
        <translation>Open Written ZIRKAN</translation>
    </message>
    <message>
        <source>Controlla</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Verifica QPF</source>
        <translation>Verify QPF</translation>
    </message>
    <message>
        <source>Tieni lato</source>
        <translation>Keep Side</translation>
    </message>
    <message>
        <source>Capovolgi scheda</source>
        <translation>Flip Board</translation>
    </message>
    <message>
        <source>Ruota scheda</source>
        <translation>Rotate Board</translation>
    </message>
    <message>
        <source>Sposta</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Origine nell&apos;angolo</source>
        <translation>Origin to Corner</translation>
    </message>
    <message>
        <source>Apri posizioni</source>
        <translation>Open placements</translation>
    </message>
    <message>
        <source>Salva posizioni</source>
        <translation>Save placements</translation>
    </message>
    <message>
        <source>Pannello</source>
        <translation>Panel</translation>
    </message>
    <message>
        <source>Applica regole</source>
        <translation>Apply Rules</translation>
    </message>
    <message>
        <source>Salta schede</source>
        <translation>Skip Boards</translation>
    </message>
</context>
<context>
    <name>CheckCode</name>
    <message>
        <source>il riferimento, senza spazi ai bordi, sta anche su un&apos;altra riga scritta della stessa scheda (ogni riga del gruppo)</source>
        <translation>the trimmed reference is on another written row of the same board (every row of the group)</translation>
    </message>
    <message>
        <source>il valore, senza spazi ai bordi, è vuoto o ???</source>
        <translation>the trimmed value is empty or ???</translation>
    </message>
    <message>
        <source>N., X, Y o l&apos;angolo non si convertono (un avviso per colonna): la scrittura dei file si fermerebbe</source>
        <translation>N., X, Y or the angle does not convert (one finding a column); the writers would stop</translation>
    </message>
    <message>
        <source>la colonna 1 non è vuota ma la colonna 2 sì: la riga non viene scritta</source>
        <translation>column 1 is not blank but column 2 is blank: the writers skip the row</translation>
    </message>
    <message>
        <source>un&apos;altra riga scritta sta entro 0,01 mm sia in X sia in Y (ogni riga del gruppo)</source>
        <translation>another written row lies within 0.01 mm in both X and Y (every row of the group)</translation>
    </message>
    <message>
        <source>riferimento, valore o footprint, senza spazi ai bordi, contengono uno spazio: la loro riga ZIRKAN ha più di sei campi</source>
        <translation>the trimmed reference, value or footprint holds a blank: its ZIRKAN line gets more than six fields</translation>
    </message>
    <message>
        <source>l&apos;angolo, come numero di 16 bit con segno, non è un multiplo di 90</source>
        <translation>the angle as a signed 16-bit number is not a multiple of 90</translation>
    </message>
    <message>
        <source>X o Y sono sotto zero (la macchina non li vuole: &quot;Origine nell&apos;angolo&quot; o &quot;Riferimento&quot; rimediano)</source>
        <translation>X or Y is below zero (the machine wants none: &quot;Origin to Corner&quot; or &quot;Reference&quot; puts it right)</translation>
    </message>
    <message>
        <source>il lato (colonna 4) è sconosciuto: né vuoto, né T, t, B o b (board-sides.md)</source>
        <translation>the side (column 4) is unknown: neither empty, T, t, B nor b (board-sides.md)</translation>
    </message>
    <message>
        <source>il riferimento, senza spazi ai bordi, è più lungo degli 8 caratteri che il record tiene; il testo dice che cosa tiene</source>
        <translation>the trimmed reference is longer than the 8 characters the record keeps; the text says what it keeps</translation>
    </message>
    <message>
        <source>righe scritte della stessa scheda con riferimenti diversi, uno più lungo di 8 caratteri, ma con i campi del record (8 caratteri, completati da spazi) uguali (ogni riga del gruppo)</source>
        <translation>written rows of the same board whose references differ, one longer than 8 characters, but whose record fields (8 characters, padded) are equal (every row of the group)</translation>
    </message>
    <message>
        <source>il valore, senza spazi ai bordi, è più lungo dei 14 caratteri che il record tiene</source>
        <translation>the trimmed value is longer than the 14 characters the record keeps</translation>
    </message>
    <message>
        <source>righe scritte con valori diversi, uno più lungo di 14 caratteri, ma con i campi del record (14 caratteri, completati da spazi) uguali: la macchina li prende per una parte sola (ogni riga del gruppo)</source>
        <translation>written rows whose values differ, one longer than 14 characters, but whose record fields (14 characters, padded) are equal: the machine takes them for one part (every row of the group)</translation>
    </message>
    <message>
        <source>N. si converte ma sta fuori da 0 … 65535: i 16 bit bassi del record dicono un altro numero</source>
        <translation>N. converts but lies outside 0 … 65535: the record&apos;s low 16 bits say another number</translation>
    </message>
    <message>
        <source>righe scritte con lo stesso numero di record (ogni riga del gruppo)</source>
        <translation>written rows with the same record number (every row of the group)</translation>
    </message>
    <message>
        <source>il riferimento, senza spazi ai bordi, è FID o FD seguito da sole cifre (maiuscole o minuscole), o il valore o il footprint contengono fiducial (maiuscole o minuscole): la macchina monterebbe una parte su un fiducial</source>
        <translation>the trimmed reference is FID or FD followed by digits only (any case), or the value or footprint holds fiducial (any case): the machine would place a part on a fiducial mark</translation>
    </message>
    <message>
        <source>il valore, senza spazi ai bordi, è una parola da non montare, maiuscole o minuscole: DNP, DNF, DNI, NC, NF, NP, NM, non montare, do not place, do not populate</source>
        <translation>the trimmed value is a do-not-place word, in any case: DNP, DNF, DNI, NC, NF, NP, NM, non montare, do not place, do not populate</translation>
    </message>
</context>
<context>
    <name>CheckList</name>
    <message>
        <source>riga rimossa da &quot;%1&quot;: nessuna regola per il valore &apos;%2&apos;</source>
        <translation>row removed by &quot;%1&quot;: no rule for the value &apos;%2&apos;</translation>
    </message>
    <message>
        <source>regola alla riga %1 del file RAK: nessuna riga ha il valore &apos;%2&apos;</source>
        <translation>rule on line %1 of the RAK file: no row has the value &apos;%2&apos;</translation>
    </message>
    <message>
        <source>record %1, %2: file %3, tabella %4</source>
        <translation>record %1, %2: file %3, table %4</translation>
    </message>
    <message>
        <source>RAK %1: %2, %3</source>
        <translation>RAK %1: %2, %3</translation>
    </message>
    <message>
        <source>1 riga rimossa</source>
        <translation>1 row removed</translation>
    </message>
    <message>
        <source>%1 righe rimosse</source>
        <translation>%1 rows removed</translation>
    </message>
    <message>
        <source>1 regola non usata</source>
        <translation>1 rule unused</translation>
    </message>
    <message>
        <source>%1 regole non usate</source>
        <translation>%1 rules unused</translation>
    </message>
    <message>
        <source>1 problema</source>
        <translation>1 problem</translation>
    </message>
    <message>
        <source>%1 problemi</source>
        <translation>%1 problems</translation>
    </message>
    <message>
        <source>1 informazione</source>
        <translation>1 note</translation>
    </message>
    <message>
        <source>%1 informazioni</source>
        <translation>%1 notes</translation>
    </message>
    <message>
        <source>Controllo della tabella: nessun problema trovato</source>
        <translation>Table check: no problem found</translation>
    </message>
    <message>
        <source>Controllo della tabella: nessun problema trovato; %1</source>
        <translation>Table check: no problem found; %1</translation>
    </message>
    <message>
        <source>Controllo della tabella: %1</source>
        <translation>Table check: %1</translation>
    </message>
    <message>
        <source>Controllo della tabella: %1; %2</source>
        <translation>Table check: %1; %2</translation>
    </message>
    <message>
        <source>Verifica QPF %1: il file corrisponde alla tabella</source>
        <translation>Verify QPF %1: the file matches the table</translation>
    </message>
    <message>
        <source>Verifica QPF %1: %2</source>
        <translation>Verify QPF %1: %2</translation>
    </message>
    <message>
        <source>1 differenza</source>
        <translation>1 difference</translation>
    </message>
    <message>
        <source>%1 differenze</source>
        <translation>%1 differences</translation>
    </message>
    <message>
        <source>regola alla riga %1 del file regole, &apos;%2&apos;: nessuna riga corrisponde</source>
        <translation>rule on line %1 of the rules file, &apos;%2&apos;: no row matches</translation>
    </message>
    <message>
        <source>nessuna regola per &apos;%1&apos;: lasciato com&apos;era</source>
        <translation>no rule for &apos;%1&apos;: left as it was</translation>
    </message>
    <message>
        <source>Regole %1: %2, %3, %4</source>
        <translation>Rules %1: %2, %3, %4</translation>
    </message>
    <message>
        <source>1 corretta</source>
        <translation>1 corrected</translation>
    </message>
    <message>
        <source>%1 corrette</source>
        <translation>%1 corrected</translation>
    </message>
    <message>
        <source>1 senza regola</source>
        <translation>1 without a rule</translation>
    </message>
    <message>
        <source>%1 senza regola</source>
        <translation>%1 without a rule</translation>
    </message>
    <message>
        <source>regola alla riga %1 del file regole, &apos;%2&apos;: %3</source>
        <translation>rule on line %1 of the rules file, &apos;%2&apos;: %3</translation>
    </message>
    <message>
        <source>1 riga</source>
        <translation>1 row</translation>
    </message>
    <message>
        <source>%1 righe</source>
        <translation>%1 rows</translation>
    </message>
</context>
<context>
    <name>CheckListModel</name>
    <message>
        <source>Riga</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>Riferimento</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>Codice</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Testo</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Gravità</source>
        <translation>Severity</translation>
    </message>
</context>
<context>
    <name>ColumnDialog</name>
    <message>
        <source>Colonne del file</source>
        <translation>Columns of the file</translation>
    </message>
    <message>
        <source>Il file non dice in quali colonne stanno riferimento, X e Y. Sceglierle qui: la scelta vale anche per i file con la stessa intestazione.</source>
        <translation>The file does not say which columns hold the reference, X and Y. Choose them here: the choice also holds for files with the same header.</translation>
    </message>
    <message>
        <source>Prime righe del file</source>
        <translation>First lines of the file</translation>
    </message>
    <message>
        <source>nessuna: colonne per numero</source>
        <translation>none: columns by number</translation>
    </message>
    <message>
        <source>riga %1</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>Intestazione</source>
        <translation>Header</translation>
    </message>
    <message>
        <source>Riferimento *</source>
        <translation>Reference *</translation>
    </message>
    <message>
        <source>X *</source>
        <translation>X *</translation>
    </message>
    <message>
        <source>Y *</source>
        <translation>Y *</translation>
    </message>
    <message>
        <source>Valore</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Footprint</source>
        <translation>Footprint</translation>
    </message>
    <message>
        <source>Angolo</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>Lato</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>Colonne</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>mils</source>
        <translation>mils</translation>
    </message>
    <message>
        <source>pollici</source>
        <translation>inches</translation>
    </message>
    <message>
        <source>Vale dove il file non dice la sua unità</source>
        <translation>Applies where the file does not state its unit</translation>
    </message>
    <message>
        <source>Unità</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Come andranno nella tabella</source>
        <translation>As they will go into the table</translation>
    </message>
    <message>
        <source>N.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Riferimento</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Scegliere almeno le colonne di riferimento, X e Y.</source>
        <translation>Choose at least the reference, X and Y columns.</translation>
    </message>
    <message>
        <source>Nessun componente con questa scelta.</source>
        <translation>No component with this choice.</translation>
    </message>
    <message>
        <source>DNP</source>
        <translation>DNP</translation>
    </message>
    <message>
        <source>Montare</source>
        <translation>Populate</translation>
    </message>
    <message>
        <source>Tieni anche i da non montare</source>
        <translation>Keep do-not-place parts too</translation>
    </message>
    <message>
        <source>Colonna DNP: sì, 1, true, x, DNP, DNF; colonna Montare: no, 0, false. Quelle righe restano fuori, se non si tengono.</source>
        <translation>DNP column: yes, 1, true, x, DNP, DNF; Populate column: no, 0, false. Those rows are left out unless kept.</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>Messaggio</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Operazione eseguita correttamente</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Errore</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Errore epertura file</source>
        <translation>Cannot open file</translation>
    </message>
    <message>
        <source>Errore apertura file RAK</source>
        <translation>Cannot open the RAK file</translation>
    </message>
    <message>
        <source>Il file QPF corrisponde alla tabella</source>
        <translation>The QPF file matches the table</translation>
    </message>
    <message>
        <source>Il testo da incollare contiene dati binari</source>
        <translation>The text to paste holds binary data</translation>
    </message>
    <message>
        <source>Troppi componenti per un file QPF</source>
        <translation>Too many components for a QPF file</translation>
    </message>
    <message>
        <source>La riga del cursore è fuori dalla tabella</source>
        <translation>The cursor&apos;s row is outside the table</translation>
    </message>
    <message>
        <source>La colonna del cursore è fuori dalla tabella</source>
        <translation>The cursor&apos;s column is outside the table</translation>
    </message>
    <message>
        <source>La selezione è fuori dalla tabella</source>
        <translation>The selection is outside the table</translation>
    </message>
    <message>
        <source>Errore di scrittura del file &apos;%1&apos;</source>
        <translation>Cannot write the file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Errore nei permessi del file &apos;%1&apos;</source>
        <translation>Cannot set the permissions of the file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Errore nel sostituire il file &apos;%1&apos;</source>
        <translation>Cannot replace the file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>N.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Riferimento</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>Valore</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Angolo</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>File troppo lungo: &apos;%1&apos; supera %2; lettura interrotta</source>
        <translation>File too long: &apos;%1&apos; exceeds %2; reading stopped</translation>
    </message>
    <message>
        <source>%1 byte</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>%1 righe</source>
        <translation>%1 lines</translation>
    </message>
    <message>
        <source>Errore di lettura del file &apos;%1&apos;</source>
        <translation>Cannot read the file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; non è un valore numerico valido</source>
        <translation>&apos;%1&apos; is not a valid number</translation>
    </message>
    <message>
        <source>Riga %1: </source>
        <translation>Row %1: </translation>
    </message>
    <message>
        <source>%1, riga %2: </source>
        <translation>%1, line %2: </translation>
    </message>
    <message>
        <source>Riga %1, colonna %2: </source>
        <translation>Row %1, column %2: </translation>
    </message>
    <message>
        <source>Provare a mettere &quot;Virgola come separatore decimali&quot;.</source>
        <translation>Try checking &quot;Comma as decimal separator&quot;.</translation>
    </message>
    <message>
        <source>Provare &quot;Inglese&quot; o togliere &quot;Virgola come separatore decimali&quot;.</source>
        <translation>Try &quot;English&quot; or unchecking &quot;Comma as decimal separator&quot;.</translation>
    </message>
    <message>
        <source>Separatore decimale del sistema: &apos;%1&apos;. %2</source>
        <translation>The system&apos;s decimal separator: &apos;%1&apos;. %2</translation>
    </message>
    <message>
        <source>Riga %1: il file ha più di %2 componenti, quanti la tabella ne può numerare; importazione interrotta</source>
        <translation>Line %1: the file has more than %2 components, as many as the table can number; import stopped</translation>
    </message>
    <message>
        <source>Riga %1: coordinata fuori scala</source>
        <translation>Row %1: coordinate out of range</translation>
    </message>
    <message>
        <source>lato &apos;%1&apos; né T né B</source>
        <translation>side &apos;%1&apos; neither T nor B</translation>
    </message>
    <message>
        <source>Il lato da tenere è T o B</source>
        <translation>The side to keep is T or B</translation>
    </message>
    <message>
        <source>Tieni lato %1: %2 riga tolta</source>
        <translation>Keep side %1: %2 row removed</translation>
    </message>
    <message>
        <source>Tieni lato %1: %2 righe tolte</source>
        <translation>Keep side %1: %2 rows removed</translation>
    </message>
    <message>
        <source>L&apos;asse del capovolgimento è x o y</source>
        <translation>The flip axis is x or y</translation>
    </message>
    <message>
        <source>riga con numero &apos;%1&apos; ma senza riferimento: non viene scritta</source>
        <translation>row with number &apos;%1&apos; but no reference: not written</translation>
    </message>
    <message>
        <source>%1: valore mancante</source>
        <translation>%1: value missing</translation>
    </message>
    <message>
        <source>%1: valore &apos;???&apos;, non trovato nel file CMP</source>
        <translation>%1: value &apos;???&apos;, not found in the CMP file</translation>
    </message>
    <message>
        <source>%1: colonna %2 &apos;%3&apos; contiene uno spazio: la riga ZIRKAN avrebbe più di sei campi</source>
        <translation>%1: column %2 &apos;%3&apos; holds a space: the ZIRKAN line would have more than six fields</translation>
    </message>
    <message>
        <source>%1: lato &apos;%2&apos; né T né B</source>
        <translation>%1: side &apos;%2&apos; neither T nor B</translation>
    </message>
    <message>
        <source>%1: colonna %2: %3</source>
        <translation>%1: column %2: %3</translation>
    </message>
    <message>
        <source>%1: posizione negativa (X %2, Y %3)</source>
        <translation>%1: negative position (X %2, Y %3)</translation>
    </message>
    <message>
        <source>%1: angolo %2 non multiplo di 90</source>
        <translation>%1: angle %2 not a multiple of 90</translation>
    </message>
    <message>
        <source>%1: riferimento ripetuto su %2 righe (la prima è la riga %3)</source>
        <translation>%1: reference repeated on %2 rows (the first is row %3)</translation>
    </message>
    <message>
        <source>%1: nella stessa posizione di %2 (riga %3)</source>
        <translation>%1: in the same place as %2 (row %3)</translation>
    </message>
    <message>
        <source>File troppo lungo: mostrati solo i primi %1</source>
        <translation>File too long: only the first %1 shown</translation>
    </message>
    <message>
        <source>%1 byte (%2 record)</source>
        <translation>%1 bytes (%2 records)</translation>
    </message>
    <message>
        <source>%1 componenti</source>
        <translation>%1 components</translation>
    </message>
    <message>
        <source>Incollate solo le righe fino alla %1: tralasciate le altre %2</source>
        <translation>Pasted only the rows up to %1: the other %2 left out</translation>
    </message>
    <message>
        <source>%1: riferimento di %2 caratteri, il record tiene &apos;%3&apos;</source>
        <translation>%1: reference of %2 characters, the record keeps &apos;%3&apos;</translation>
    </message>
    <message>
        <source>%1: valore &apos;%2&apos; di %3 caratteri, il record tiene &apos;%4&apos;</source>
        <translation>%1: value &apos;%2&apos; of %3 characters, the record keeps &apos;%4&apos;</translation>
    </message>
    <message>
        <source>%1: numero %2 fuori da 0 … 65535: il record dice %3</source>
        <translation>%1: number %2 outside 0 … 65535: the record says %3</translation>
    </message>
    <message>
        <source>%1: un segno di riferimento (fiducial), non un componente: la macchina vi piazzerebbe una parte</source>
        <translation>%1: a fiducial mark, not a component: the machine would place a part on it</translation>
    </message>
    <message>
        <source>%1: valore &apos;%2&apos;: da non montare</source>
        <translation>%1: value &apos;%2&apos;: not to be placed</translation>
    </message>
    <message>
        <source>errore</source>
        <translation>error</translation>
    </message>
    <message>
        <source>avviso</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>informazione</source>
        <translation>information</translation>
    </message>
    <message>
        <source>%1: il record tiene &apos;%2&apos;, come per %3 (riga %4): la macchina non li distingue</source>
        <translation>%1: the record keeps &apos;%2&apos;, as for %3 (row %4): the machine cannot tell them apart</translation>
    </message>
    <message>
        <source>%1: il valore &apos;%2&apos; nel record è &apos;%3&apos;, come &apos;%4&apos; di %5 (riga %6): per la macchina sono lo stesso componente</source>
        <translation>%1: the value &apos;%2&apos; is &apos;%3&apos; in the record, as &apos;%4&apos; of %5 (row %6): to the machine they are the same part</translation>
    </message>
    <message>
        <source>&apos;%1&apos; non è un numero di scheda</source>
        <translation>&apos;%1&apos; is not a board number</translation>
    </message>
    <message>
        <source>La tabella è già un pannello: riga %1, scheda %2</source>
        <translation>The table is already a panel: row %1, board %2</translation>
    </message>
    <message>
        <source>Colonne e righe del pannello da 1 a %1, non %2x%3</source>
        <translation>A panel&apos;s columns and rows go from 1 to %1, not %2x%3</translation>
    </message>
    <message>
        <source>La tabella non ha componenti da ripetere</source>
        <translation>The table has no components to repeat</translation>
    </message>
    <message>
        <source>Il pannello darebbe %1 componenti: al massimo %2</source>
        <translation>The panel would have %1 components: %2 at most</translation>
    </message>
    <message>
        <source>Pannello di %1 scheda: %2 componenti</source>
        <translation>Panel of %1 board: %2 components</translation>
    </message>
    <message>
        <source>Pannello di %1 schede: %2 componenti</source>
        <translation>Panel of %1 boards: %2 components</translation>
    </message>
    <message>
        <source>Schede da saltare: &apos;%1&apos; non è un elenco come 2,5-6</source>
        <translation>Boards to skip: &apos;%1&apos; is not a list such as 2,5-6</translation>
    </message>
    <message>
        <source>La tabella non è un pannello</source>
        <translation>The table is not a panel</translation>
    </message>
    <message>
        <source>La scheda %1 non è nel pannello</source>
        <translation>Board %1 is not in the panel</translation>
    </message>
    <message>
        <source>Salta schede: %1 riga tolta</source>
        <translation>Skip boards: %1 row removed</translation>
    </message>
    <message>
        <source>Salta schede: %1 righe tolte</source>
        <translation>Skip boards: %1 rows removed</translation>
    </message>
    <message>
        <source>virgolette non chiuse</source>
        <translation>quotes not closed</translation>
    </message>
    <message>
        <source>testo dopo le virgolette di chiusura</source>
        <translation>text after the closing quote</translation>
    </message>
    <message>
        <source>la colonna %1 è ripetuta</source>
        <translation>column %1 appears twice</translation>
    </message>
    <message>
        <source>manca la colonna %1</source>
        <translation>column %1 is missing</translation>
    </message>
    <message>
        <source>campo &apos;%1&apos; sconosciuto: footprint, valore o riferimento</source>
        <translation>unknown field &apos;%1&apos;: footprint, value or reference</translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos;: servono millimetri, con il punto come separatore</source>
        <translation>%1 &apos;%2&apos;: millimetres wanted, with a point as separator</translation>
    </message>
    <message>
        <source>modello vuoto</source>
        <translation>empty pattern</translation>
    </message>
    <message>
        <source>modello &apos;%1&apos;: &apos;[&apos; senza &apos;]&apos;</source>
        <translation>pattern &apos;%1&apos;: &apos;[&apos; without &apos;]&apos;</translation>
    </message>
    <message>
        <source>rotazione &apos;%1&apos;: servono gradi interi</source>
        <translation>rotation &apos;%1&apos;: whole degrees wanted</translation>
    </message>
    <message>
        <source>riga più lunga di %1 caratteri</source>
        <translation>line longer than %1 characters</translation>
    </message>
    <message>
        <source>%1: manca la riga dei titoli</source>
        <translation>%1: the header line is missing</translation>
    </message>
    <message>
        <source>File non trovato: %1</source>
        <translation>File not found: %1</translation>
    </message>
    <message>
        <source>Immagine salvata: %1</source>
        <translation>Picture saved: %1</translation>
    </message>
    <message>
        <source>%1: nessuna intestazione con riferimento, X e Y nelle prime %2 righe (prima riga: &apos;%3&apos;)</source>
        <translation>%1: no header with reference, X and Y in the first %2 lines (first line: &apos;%3&apos;)</translation>
    </message>
    <message>
        <source>%1: nessun componente</source>
        <translation>%1: no component</translation>
    </message>
    <message>
        <source>%1 componenti importati</source>
        <translation>%1 components imported</translation>
    </message>
    <message>
        <source>, %1 righe senza riferimento saltate</source>
        <translation>, %1 lines without a reference skipped</translation>
    </message>
    <message>
        <source>, %1 da non montare lasciato fuori</source>
        <translation>, %1 not to be placed left out</translation>
    </message>
    <message>
        <source>Errore di lettura del file %1 dopo la riga %2</source>
        <translation>Read error in the file %1 after line %2</translation>
    </message>
    <message>
        <source>mancante</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>byte %1: fine del file</source>
        <translation>byte %1: end of the file</translation>
    </message>
    <message>
        <source>troncato: %1 byte su %2</source>
        <translation>cut: %1 bytes of %2</translation>
    </message>
    <message>
        <source>completo</source>
        <translation>whole</translation>
    </message>
    <message>
        <source>presente</source>
        <translation>present</translation>
    </message>
    <message>
        <source>%1 byte in più dopo l&apos;ultimo record</source>
        <translation>%1 bytes more after the last record</translation>
    </message>
    <message>
        <source> (file oltre %1 byte)</source>
        <translation> (file over %1 bytes)</translation>
    </message>
    <message>
        <source>nessuno</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1 componente importato</source>
        <translation>%1 component imported</translation>
    </message>
    <message>
        <source>, %1 riga senza riferimento saltata</source>
        <translation>, %1 line without a reference skipped</translation>
    </message>
    <message>
        <source>, %1 da non montare lasciati fuori</source>
        <translation>, %1 not to be placed left out</translation>
    </message>
    <message>
        <source>%1: numero %2 nel record ripetuto su %3 righe (la prima è la riga %4)</source>
        <translation>%1: record number %2 repeated on %3 rows (the first is row %4)</translation>
    </message>
</context>
<context>
    <name>PreviewPage</name>
    <message>
        <source>Adatta</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Colori per valore</source>
        <translation>Colours by value</translation>
    </message>
    <message>
        <source>Colori per footprint</source>
        <translation>Colours by footprint</translation>
    </message>
    <message>
        <source>Salva immagine…</source>
        <translation>Save image…</translation>
    </message>
    <message>
        <source>%1 componenti</source>
        <translation>%1 components</translation>
    </message>
    <message>
        <source>; non disegnate (coordinate o angolo non validi) le righe </source>
        <translation>; not drawn (coordinates or angle not valid): rows </translation>
    </message>
    <message>
        <source>Immagine SVG|*.svg|Immagine PNG|*.png</source>
        <translation>SVG image|*.svg|PNG image|*.png</translation>
    </message>
    <message>
        <source>scheda.svg</source>
        <translation>board.svg</translation>
    </message>
    <message>
        <source>il file non si può creare</source>
        <translation>the file cannot be created</translation>
    </message>
    <message>
        <source>Impossibile scrivere il file &apos;%1&apos;: %2</source>
        <translation>Cannot write the file &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>; tratteggiate: %1 parti del lato B</source>
        <translation>; dashed: %1 parts on side B</translation>
    </message>
    <message>
        <source>; %1 parti con coordinate negative</source>
        <translation>; %1 parts with negative coordinates</translation>
    </message>
    <message>
        <source>1 componente</source>
        <translation>1 component</translation>
    </message>
    <message>
        <source>; tratteggiata: 1 parte del lato B</source>
        <translation>; dashed: 1 part on side B</translation>
    </message>
    <message>
        <source>; 1 parte con coordinate negative</source>
        <translation>; 1 part with negative coordinates</translation>
    </message>
    <message>
        <source>; pannello: 1 scheda</source>
        <translation>; panel: 1 board</translation>
    </message>
    <message>
        <source>; pannello: %1 schede</source>
        <translation>; panel: %1 boards</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>INPUT QPF (Vurk_tarno)</source>
        <translation>INPUT QPF (Vurk_tarno)</translation>
    </message>
    <message>
        <source>INPUT REP (Zelti) ( QRL)</source>
        <translation>INPUT REP (Zelti) ( QRL)</translation>
    </message>
    <message>
        <source>INPUT CMP (Orcad)</source>
        <translation>INPUT CMP (Orcad)</translation>
    </message>
    <message>
        <source>INPUT BOM (Orcad)</source>
        <translation>INPUT BOM (Orcad)</translation>
    </message>
    <message>
        <source>INPUT MNT (Tarno)</source>
        <translation>INPUT MNT (Tarno)</translation>
    </message>
    <message>
        <source>INPUT TXT (Olvan)</source>
        <translation>INPUT TXT (Olvan)</translation>
    </message>
    <message>
        <source>OUTPUT QPF (tarno)</source>
        <translation>OUTPUT QPF (tarno)</translation>
    </message>
    <message>
        <source>INPUT RAK (tarno)</source>
        <translation>INPUT RAK (tarno)</translation>
    </message>
    <message>
        <source>OUTPUT ZIRKAN (tarno)</source>
        <translation>OUTPUT ZIRKAN (tarno)</translation>
    </message>
    <message>
        <source>Sfoglia</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>TabSheet1</source>
        <translation>TabSheet1</translation>
    </message>
    <message>
        <source>TabSheet2</source>
        <translation>TabSheet2</translation>
    </message>
    <message>
        <source>TabSheet3</source>
        <translation>TabSheet3</translation>
    </message>
    <message>
        <source>File RAK</source>
        <translation>RAK File</translation>
    </message>
    <message>
        <source>Anteprima</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Virgola come separatore decimali</source>
        <translation>Comma as decimal separator</translation>
    </message>
    <message>
        <source>Inglese</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Italiano</source>
        <translation>Italian</translation>
    </message>
    <message>
        <source>Forza di default</source>
        <translation>Default force</translation>
    </message>
    <message>
        <source>Errore imprevisto</source>
        <translation>Unexpected error</translation>
    </message>
    <message>
        <source>Controllo</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ripeti</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>N.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Riferimento</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>Valore</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Angolo</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>T (sopra)</source>
        <translation>T (top)</translation>
    </message>
    <message>
        <source>B (sotto)</source>
        <translation>B (bottom)</translation>
    </message>
    <message>
        <source>x (da sinistra a destra)</source>
        <translation>x (left to right)</translation>
    </message>
    <message>
        <source>y (dall&apos;alto in basso)</source>
        <translation>y (top to bottom)</translation>
    </message>
    <message>
        <source>° antiorario</source>
        <translation>° counter-clockwise</translation>
    </message>
    <message>
        <source>Lato da tenere</source>
        <translation>Side to keep</translation>
    </message>
    <message>
        <source>Asse</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>Rotazione</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Spostamento X</source>
        <translation>Offset X</translation>
    </message>
    <message>
        <source>Spostamento Y</source>
        <translation>Offset Y</translation>
    </message>
    <message>
        <source>Lato sotto: Tieni lato B, Capovolgi scheda, Applica RAK, Origine nell&apos;angolo o Riferimento.</source>
        <translation>Bottom side: Keep Side B, Flip Board, Apply RAK, Origin to Corner or Reference.</translation>
    </message>
    <message>
        <source>Vedi anteprima</source>
        <translation>Show preview</translation>
    </message>
    <message>
        <source>Scheda</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>INPUT posizioni (CSV, KiCad, Altium...)</source>
        <translation>INPUT placements (CSV, KiCad, Altium...)</translation>
    </message>
    <message>
        <source>Errore</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Il file delle posizioni non viene sovrascritto: scegliere un altro nome.</source>
        <translation>The placement file is not overwritten: choose another name.</translation>
    </message>
    <message>
        <source>Pannello</source>
        <translation>Panel</translation>
    </message>
    <message>
        <source>Passo X</source>
        <translation>Pitch X</translation>
    </message>
    <message>
        <source>Passo Y</source>
        <translation>Pitch Y</translation>
    </message>
    <message>
        <source>Regole per footprint (CSV)</source>
        <translation>Rules by footprint (CSV)</translation>
    </message>
    <message>
        <source>Come Applica RAK: sul lato sotto dopo Capovolgi scheda.</source>
        <translation>Like Apply RAK: on the bottom side after Flip Board.</translation>
    </message>
    <message>
        <source>La scheda 1 resta dov&apos;è, la 2 va alla sua destra. Lato sotto: Tieni lato B, Pannello, Salta schede, Capovolgi scheda, Applica RAK, Origine nell&apos;angolo.</source>
        <translation>Board 1 stays where it is, board 2 goes to its right. Bottom side: Keep Side B, Panel, Skip Boards, Flip Board, Apply RAK, Origin to Corner.</translation>
    </message>
    <message>
        <source>Schede lungo X</source>
        <translation>Boards along X</translation>
    </message>
    <message>
        <source>Schede lungo Y</source>
        <translation>Boards along Y</translation>
    </message>
    <message>
        <source>Colonne</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>Righe</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>Salta</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Le schede da saltare, come 2,5-6</source>
        <translation>The boards to leave out, such as 2,5-6</translation>
    </message>
    <message>
        <source>Tieni anche i da non montare</source>
        <translation>Keep do-not-place parts too</translation>
    </message>
    <message>
        <source>Lato</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>Le righe che il file segna da non montare (colonna DNP o Populate) vengono importate come le altre</source>
        <translation>Rows marked not to place (DNP or Populate column) are imported like the others</translation>
    </message>
</context>
</TS>
