<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Quarn Editor</source>
        <translation>Über Quarn Editor</translation>
    </message>
    <message>
        <source>Quarn Editor, Version %1</source>
        <translation>Quarn Editor, Version %1</translation>
    </message>
    <message>
        <source>Editor for signal classifier databases.
Copyright (C) 2026 Korvel</source>
        <translation>Editor für Datenbanken eines Signalklassifizierers.
Copyright (C) 2026 Korvel</translation>
    </message>
    <message>
        <source>Licence: GPL-3.0-or-later&lt;br&gt;&lt;a href=&quot;https://korvel.example.com/quarn-editor&quot;&gt;https://korvel.example.com/quarn-editor&lt;/a&gt;&lt;br&gt;Qt %1, expat %2.%3.%4</source>
        <translation>Lizenz: GPL-3.0-or-later&lt;br&gt;&lt;a href=&quot;https://korvel.example.com/quarn-editor&quot;&gt;https://korvel.example.com/quarn-editor&lt;/a&gt;&lt;br&gt;Qt %1, expat %2.%3.%4</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
</context>
<context>
    <name>CChangeSignalsDialog</name>
    <message>
        <source>Decoder mode and code-check count</source>
        <translation>Decodermodus und Codecheck-Zähler</translation>
    </message>
    <message>
        <source>Code-check count</source>
        <translation>Codecheck-Zähler</translation>
    </message>
    <message>
        <source>ITU designator</source>
        <translation>ITU-Kennung</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Baud / symbol rate</source>
        <translation>Baud-/Symbolrate</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Bandbreite</translation>
    </message>
    <message>
        <source>&amp;Recognition disabled</source>
        <translation>&amp;Erkennung deaktiviert</translation>
    </message>
    <message>
        <source>Change Selected Signals</source>
        <translation>Ausgewählte Signale ändern</translation>
    </message>
    <message>
        <source>&amp;Decoder:</source>
        <translation>&amp;Decoder:</translation>
    </message>
    <message>
        <source>Codec&amp;heck Count:</source>
        <translation>Codec&amp;heck-Zähler:</translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation>&amp;Wert:</translation>
    </message>
    <message>
        <source>&amp;Field:</source>
        <translation>&amp;Feld:</translation>
    </message>
    <message>
        <source>Data Error</source>
        <translation>Datenfehler</translation>
    </message>
    <message>
        <source>%1: %2 is not a number</source>
        <translation>%1: %2 ist keine Zahl</translation>
    </message>
    <message>
        <source>Codecheck count</source>
        <translation>Codecheck-Zähler</translation>
    </message>
    <message>
        <source>The selected signal gets the value:</source>
        <translation>Das ausgewählte Signal erhält den Wert:</translation>
    </message>
    <message>
        <source>%1 selected signals get the same value:</source>
        <translation>%1 ausgewählte Signale erhalten denselben Wert:</translation>
    </message>
</context>
<context>
    <name>CConflictResolution</name>
    <message>
        <source>signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Kept markup</source>
        <translation>Bewahrtes Markup</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>geändert</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>present</source>
        <translation>vorhanden</translation>
    </message>
    <message>
        <source>both kept</source>
        <translation>beide behalten</translation>
    </message>
    <message>
        <source>added</source>
        <translation>hinzugefügt</translation>
    </message>
    <message>
        <source>ours only</source>
        <translation>nur unseres</translation>
    </message>
    <message>
        <source>theirs only</source>
        <translation>nur ihres</translation>
    </message>
    <message>
        <source>%1 does not look like a signal database: its root element is &lt;%2&gt;</source>
        <translation>%1 sieht nicht wie eine Signaldatenbank aus: sein Wurzelelement ist &lt;%2&gt;</translation>
    </message>
    <message>
        <source>%1 is not a conflict report of quarn-tool merge3 (%2)</source>
        <translation>%1 ist kein Konfliktbericht von quarn-tool merge3 (%2)</translation>
    </message>
    <message>
        <source>no output named</source>
        <translation>keine Ausgabe genannt</translation>
    </message>
</context>
<context>
    <name>CConflictsDialog</name>
    <message>
        <source>Resolve Conflicts - %1</source>
        <translation>Konflikte lösen - %1</translation>
    </message>
    <message>
        <source>%1 conflicts of the merge into %2. Take Base, Ours or Theirs for the selected rows, or type a value in the Result column (F2). Save writes %2; closing without saving leaves it as it was.</source>
        <translation>%1 Konflikte der Zusammenführung in %2. Übernehmen Sie für die gewählten Zeilen Basis, Unseres oder Ihres, oder geben Sie in der Spalte Ergebnis einen Wert ein (F2). Speichern schreibt %2; Schließen ohne Speichern lässt die Datei, wie sie war.</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Basis</translation>
    </message>
    <message>
        <source>Ours</source>
        <translation>Unseres</translation>
    </message>
    <message>
        <source>Theirs</source>
        <translation>Ihres</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Conflicts</source>
        <translation>Konflikte</translation>
    </message>
    <message>
        <source>Take &amp;Base</source>
        <translation>&amp;Basis übernehmen</translation>
    </message>
    <message>
        <source>Take &amp;Ours</source>
        <translation>&amp;Unseres übernehmen</translation>
    </message>
    <message>
        <source>Take &amp;Theirs</source>
        <translation>&amp;Ihres übernehmen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Schließen ohne Speichern</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>%1, %2: %3</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>Nothing to take for the selected rows</source>
        <translation>Für die gewählten Zeilen gibt es nichts zu übernehmen</translation>
    </message>
    <message>
        <source>This result cannot be saved: %1</source>
        <translation>Dieses Ergebnis kann nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Cannot save the signal database.</source>
        <translation>Die Signaldatenbank kann nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>CDetailsPane</name>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>No signal chosen</source>
        <translation>Kein Signal gewählt</translation>
    </message>
    <message>
        <source>The changes to %1 were not applied</source>
        <translation>Die Änderungen an %1 wurden nicht übernommen</translation>
    </message>
    <message>
        <source>A row of the other version: Take from Other makes it this database&apos;s</source>
        <translation>Eine Zeile der anderen Version: „Aus anderer Version übernehmen“ macht sie zu einer dieser Datenbank</translation>
    </message>
    <message>
        <source>%1 is no longer in the database</source>
        <translation>%1 ist nicht mehr in der Datenbank</translation>
    </message>
    <message>
        <source>Details of %1</source>
        <translation>Details von %1</translation>
    </message>
</context>
<context>
    <name>CDocTemplate</name>
    <message>
        <source>1 signal</source>
        <translation>1 Signal</translation>
    </message>
    <message>
        <source>%1 signals</source>
        <translation>%1 Signale</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>&amp;Ignore</source>
        <translation>&amp;Ignorieren</translation>
    </message>
    <message>
        <source>&amp;Select Merged Signals</source>
        <translation>Zusammengeführte Signale &amp;auswählen</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Cannot open the signal database.</source>
        <translation>Die Signaldatenbank kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Unsaved changes to %1 from %2 (%3) were recovered.</source>
        <translation>Ungespeicherte Änderungen an %1 vom %2 (%3) wurden wiederhergestellt.</translation>
    </message>
    <message>
        <source>Recover</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Opening %1 ...</source>
        <translation>%1 wird geöffnet …</translation>
    </message>
    <message>
        <source>A save of %1 was interrupted on %2. Merge the copy saved before it?</source>
        <translation>Das Speichern von %1 wurde am %2 unterbrochen. Die zuvor gesicherte Kopie zusammenführen?</translation>
    </message>
    <message>
        <source>A save of %1 was interrupted on %2. Open the copy saved before it?</source>
        <translation>Das Speichern von %1 wurde am %2 unterbrochen. Die zuvor gesicherte Kopie öffnen?</translation>
    </message>
    <message>
        <source>%1 does not look like a signal database: its root element is &lt;%2&gt; and it holds no Signal elements. Saving will replace its content with a signal database.</source>
        <translation>%1 sieht nicht wie eine Signaldatenbank aus: Das Wurzelelement ist &lt;%2&gt; und die Datei enthält keine Signal-Elemente. Beim Speichern wird ihr Inhalt durch eine Signaldatenbank ersetzt.</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>%1 of this file names a decoder mode or modulation that this version of Quarn Editor does not know:%2%3

</source>
        <translation>%1 dieser Datei nennt einen Decodermodus oder eine Modulation, die diese Version von Quarn Editor nicht kennt:%2%3

</translation>
    </message>
    <message>
        <source>%1 of this file name a decoder mode or modulation that this version of Quarn Editor does not know:%2%3

</source>
        <translation>%1 dieser Datei nennen einen Decodermodus oder eine Modulation, die diese Version von Quarn Editor nicht kennt:%2%3

</translation>
    </message>
    <message>
        <source>decoder mode</source>
        <translation>Decodermodus</translation>
    </message>
    <message>
        <source>modulation</source>
        <translation>Modulation</translation>
    </message>
    <message>
        <source>%1 does not look like a signal database. Replace its content with a signal database?</source>
        <translation>%1 sieht nicht wie eine Signaldatenbank aus. Ihren Inhalt durch eine Signaldatenbank ersetzen?</translation>
    </message>
    <message>
        <source>%1 was changed, replaced or deleted by another program since it was opened. Save anyway?</source>
        <translation>%1 wurde seit dem Öffnen von einem anderen Programm geändert, ersetzt oder gelöscht. Trotzdem speichern?</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter …</translation>
    </message>
    <message>
        <source>Untitled.xml</source>
        <translation>Unbenannt.xml</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Saving %1 ...</source>
        <translation>%1 wird gespeichert …</translation>
    </message>
    <message>
        <source>Cannot save the signal database.</source>
        <translation>Die Signaldatenbank kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Merge Signal Database</source>
        <translation>Signaldatenbank zusammenführen</translation>
    </message>
    <message>
        <source>Merging %1 ...</source>
        <translation>%1 wird zusammengeführt …</translation>
    </message>
    <message>
        <source>Cannot merge the signal database.</source>
        <translation>Die Signaldatenbank kann nicht zusammengeführt werden.</translation>
    </message>
    <message>
        <source>Merge: %1 added, %2 skipped as duplicates, %3 of them differing from the held signal in bandwidth, code-check counter, minimums or disabled state (the held values were kept)</source>
        <translation>Zusammenführen: %1 hinzugefügt, %2 als Duplikate übersprungen, %3 davon weichen vom vorhandenen Signal in Bandbreite, Codecheck-Zähler, Mindestwerten oder Deaktivierung ab (die vorhandenen Werte wurden beibehalten)</translation>
    </message>
    <message>
        <source>%1 was changed, replaced or deleted by another program.</source>
        <translation>%1 wurde von einem anderen Programm geändert, ersetzt oder gelöscht.</translation>
    </message>
    <message>
        <source>Reload %1? The changes made since it was last saved will be lost.</source>
        <translation>%1 neu laden? Die Änderungen seit dem letzten Speichern gehen verloren.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Abgebrochen.</translation>
    </message>
    <message>
        <source>%1 was changed by another program after these changes were made.</source>
        <translation>%1 wurde nach diesen Änderungen von einem anderen Programm geändert.</translation>
    </message>
    <message>
        <source>%1 itself reads as a whole database: the save probably finished.</source>
        <translation>%1 selbst lässt sich als vollständige Datenbank lesen: Das Speichern wurde wahrscheinlich abgeschlossen.</translation>
    </message>
    <message>
        <source>Merge: %1 added, %2 skipped as duplicates</source>
        <translation>Zusammenführen: %1 hinzugefügt, %2 als Duplikate übersprungen</translation>
    </message>
    <message>
        <source>An unknown decoder mode is shown as &quot;no-mode&quot;, an unknown modulation is shown empty and marks the signal invalid. A save writes both back as they were read, with the code-check counter, until the signal is edited.</source>
        <translation>Ein unbekannter Decodermodus wird als „no-mode“ angezeigt, eine unbekannte Modulation leer; sie macht das Signal ungültig. Beim Speichern werden beide so zurückgeschrieben, wie sie gelesen wurden, mit dem Codecheck-Zähler, bis das Signal bearbeitet wird.</translation>
    </message>
    <message>
        <source>%1 from %2 (%3)</source>
        <translation>%1 vom %2 (%3)</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>Unsaved changes were recovered %1 times, the newest first:</source>
        <translation>Ungespeicherte Änderungen wurden %1-mal wiederhergestellt, die neuesten zuerst:</translation>
    </message>
    <message>
        <source>Recover Newest</source>
        <translation>Neueste wiederherstellen</translation>
    </message>
    <message>
        <source>Discard All</source>
        <translation>Alle verwerfen</translation>
    </message>
    <message>
        <source>The merge</source>
        <translation>Das Zusammenführen</translation>
    </message>
    <message>
        <source>Merge cancelled: nothing was changed.</source>
        <translation>Zusammenführen abgebrochen: nichts wurde geändert.</translation>
    </message>
    <message>
        <source>Merge cancelled</source>
        <translation>Zusammenführen abgebrochen</translation>
    </message>
    <message>
        <source>%1 held signals given the other&apos;s values, %2 removed</source>
        <translation>%1 vorhandene Signale erhielten die Werte der anderen Datei, %2 entfernt</translation>
    </message>
    <message>
        <source>Update from Signal Database</source>
        <translation>Aus Signaldatenbank aktualisieren</translation>
    </message>
    <message>
        <source>%1 was not merged into this database before: every difference is shown.</source>
        <translation>%1 wurde noch nie in diese Datenbank zusammengeführt: jeder Unterschied wird gezeigt.</translation>
    </message>
    <message>
        <source>The next update from %1 cannot know what this merge took in: %2</source>
        <translation>Die nächste Aktualisierung aus %1 kann nicht wissen, was diese Zusammenführung übernahm: %2</translation>
    </message>
</context>
<context>
    <name>CFindBar</name>
    <message>
        <source>Name, decoder, modulation, ITU or comment</source>
        <translation>Name, Decoder, Modulation, ITU oder Kommentar</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <source>Close (Esc)</source>
        <translation>Schließen (Esc)</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Clear the find text</source>
        <translation>Suchtext löschen</translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <translation>Suchleiste schließen</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Quarn Editor Help</source>
        <translation>Hilfe zu Quarn Editor</translation>
    </message>
    <message>
        <source>Find (Ctrl+F)</source>
        <translation>Suchen (Strg+F)</translation>
    </message>
    <message>
        <source>Find in the guide</source>
        <translation>Im Handbuch suchen</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
</context>
<context>
    <name>CImportReportDialog</name>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Rows left out</source>
        <translation>Ausgelassene Zeilen</translation>
    </message>
    <message>
        <source>%1 signals imported; these rows were left out:</source>
        <translation>%1 Signale importiert; diese Zeilen wurden ausgelassen:</translation>
    </message>
</context>
<context>
    <name>CListCommands</name>
    <message>
        <source>New Signal</source>
        <translation>Neues Signal</translation>
    </message>
    <message>
        <source>Duplicate Signal</source>
        <translation>Signal duplizieren</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Do you really want to delete the selected items?</source>
        <translation>Möchten Sie die ausgewählten Einträge wirklich löschen?</translation>
    </message>
    <message>
        <source>Delete Signal</source>
        <translation>Signal löschen</translation>
    </message>
    <message>
        <source>Delete %1 Signals</source>
        <translation>%1 Signale löschen</translation>
    </message>
    <message>
        <source>Cut Signal</source>
        <translation>Signal ausschneiden</translation>
    </message>
    <message>
        <source>Cut %1 Signals</source>
        <translation>%1 Signale ausschneiden</translation>
    </message>
    <message>
        <source>The clipboard holds no signal database. %1</source>
        <translation>Die Zwischenablage enthält keine Signaldatenbank. %1</translation>
    </message>
    <message>
        <source>1 signal pasted</source>
        <translation>1 Signal eingefügt</translation>
    </message>
    <message>
        <source>%1 signals pasted</source>
        <translation>%1 Signale eingefügt</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>CSV Files (*.csv);;OpenDocument Spreadsheets (*.ods);;All Files (*)</source>
        <translation>CSV-Dateien (*.csv);;OpenDocument-Tabellen (*.ods);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Cannot export.

%1</source>
        <translation>Export nicht möglich.

%1</translation>
    </message>
    <message>
        <source>1 signal exported to %1</source>
        <translation>1 Signal nach %1 exportiert</translation>
    </message>
    <message>
        <source>%1 signals exported to %2</source>
        <translation>%1 Signale nach %2 exportiert</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Spreadsheets (*.csv *.ods *.txt);;All Files (*)</source>
        <translation>Tabellen (*.csv *.ods *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Cannot import.

%1</source>
        <translation>Import nicht möglich.

%1</translation>
    </message>
    <message>
        <source>1 signal imported from %1</source>
        <translation>1 Signal aus %1 importiert</translation>
    </message>
    <message>
        <source>%1 signals imported from %2</source>
        <translation>%1 Signale aus %2 importiert</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Compare With</source>
        <translation>Vergleichen mit</translation>
    </message>
    <message>
        <source>Cannot compare.

%1</source>
        <translation>Vergleich nicht möglich.

%1</translation>
    </message>
    <message>
        <source>Compared with %1: no difference.</source>
        <translation>Mit %1 verglichen: kein Unterschied.</translation>
    </message>
    <message>
        <source>Compared with %1: %2. F8 goes to the next difference, Esc ends the comparison.</source>
        <translation>Mit %1 verglichen: %2. F8 springt zum nächsten Unterschied, Esc beendet den Vergleich.</translation>
    </message>
    <message>
        <source>No difference after this row</source>
        <translation>Kein Unterschied nach dieser Zeile</translation>
    </message>
    <message>
        <source>No difference before this row</source>
        <translation>Kein Unterschied vor dieser Zeile</translation>
    </message>
    <message>
        <source>The import</source>
        <translation>Der Import</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Add or Remove Buttons</source>
        <translation>Schaltflächen &amp;hinzufügen oder entfernen</translation>
    </message>
    <message>
        <source>&amp;Reset Toolbar</source>
        <translation>Symbolleiste &amp;zurücksetzen</translation>
    </message>
    <message>
        <source>%1 of %2 shown</source>
        <translation>%1 von %2 angezeigt</translation>
    </message>
    <message>
        <source>1 signal</source>
        <translation>1 Signal</translation>
    </message>
    <message>
        <source>%1 signals</source>
        <translation>%1 Signale</translation>
    </message>
    <message>
        <source>Find: %1</source>
        <translation>Suche: %1</translation>
    </message>
    <message>
        <source>More toolbar buttons</source>
        <translation>Weitere Schaltflächen der Symbolleiste</translation>
    </message>
    <message>
        <source>Toolbar options</source>
        <translation>Optionen der Symbolleiste</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>Probleme</translation>
    </message>
    <message>
        <source>Show &amp;Problems</source>
        <translation>&amp;Probleme zeigen</translation>
    </message>
</context>
<context>
    <name>CMergeReviewDialog</name>
    <message>
        <source>Show signals &amp;equal to held ones</source>
        <translation>Signale, die vorhandenen &amp;gleichen, zeigen</translation>
    </message>
    <message>
        <source>Merge %1</source>
        <translation>%1 zusammenführen</translation>
    </message>
    <message>
        <source>What %1 brings: %2.</source>
        <translation>Was %1 bringt: %2.</translation>
    </message>
    <message>
        <source>Changes since the version of %1.</source>
        <translation>Änderungen seit der Fassung vom %1.</translation>
    </message>
    <message>
        <source>Checked changes are made as one step when you apply; Space checks or unchecks the current one.</source>
        <translation>Angekreuzte Änderungen werden beim Anwenden in einem Schritt vorgenommen; die Leertaste kreuzt die aktuelle an oder ab.</translation>
    </message>
    <message>
        <source>What the merge brings</source>
        <translation>Was die Zusammenführung bringt</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Anwenden</translation>
    </message>
</context>
<context>
    <name>CMergeReviewModel</name>
    <message>
        <source>Kept markup</source>
        <translation>Bewahrtes Markup</translation>
    </message>
    <message>
        <source>the other&apos;s value</source>
        <translation>Wert der anderen Datei</translation>
    </message>
    <message>
        <source>this value kept</source>
        <translation>dieser Wert bleibt</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Held</source>
        <translation>Vorhanden</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Andere Datei</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Basis</translation>
    </message>
    <message>
        <source>new</source>
        <translation>neu</translation>
    </message>
    <message>
        <source>equal to a held signal (skipped)</source>
        <translation>gleicht einem vorhandenen Signal (übersprungen)</translation>
    </message>
    <message>
        <source>same name, other values</source>
        <translation>gleicher Name, andere Werte</translation>
    </message>
    <message>
        <source>changed there</source>
        <translation>dort geändert</translation>
    </message>
    <message>
        <source>changed here</source>
        <translation>hier geändert</translation>
    </message>
    <message>
        <source>changed on both sides</source>
        <translation>auf beiden Seiten geändert</translation>
    </message>
    <message>
        <source>removed there</source>
        <translation>dort entfernt</translation>
    </message>
    <message>
        <source>removed here, changed there</source>
        <translation>hier entfernt, dort geändert</translation>
    </message>
    <message>
        <source>The other file brings nothing.</source>
        <translation>Die andere Datei bringt nichts.</translation>
    </message>
</context>
<context>
    <name>CMessageBar</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close the notices</source>
        <translation>Hinweise schließen</translation>
    </message>
    <message>
        <source>Notices</source>
        <translation>Hinweise</translation>
    </message>
    <message>
        <source>&amp;More</source>
        <translation>&amp;Mehr</translation>
    </message>
    <message>
        <source>&amp;Less</source>
        <translation>&amp;Weniger</translation>
    </message>
</context>
<context>
    <name>CMulticarrierDialog</name>
    <message>
        <source>Multicarrier Signal</source>
        <translation>Mehrträgersignal</translation>
    </message>
    <message>
        <source>A list of spacings holds at most %1 carriers; this signal has %2. Use the same spacing for all carriers.</source>
        <translation>Eine Abstandsliste fasst höchstens %1 Träger; dieses Signal hat %2. Verwenden Sie denselben Abstand für alle Träger.</translation>
    </message>
    <message>
        <source>&amp;Same spacing for all carriers:</source>
        <translation>&amp;Gleicher Abstand für alle Träger:</translation>
    </message>
    <message>
        <source>&amp;Multiple spacings:</source>
        <translation>&amp;Mehrere Abstände:</translation>
    </message>
    <message>
        <source>Carriers</source>
        <translation>Träger</translation>
    </message>
    <message>
        <source>Spacing</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>The spacing list is %1 characters long; at most %2 characters can be stored. Shorten the values or use the same spacing for all carriers.</source>
        <translation>Die Abstandsliste ist %1 Zeichen lang; höchstens %2 Zeichen können gespeichert werden. Kürzen Sie die Werte oder verwenden Sie denselben Abstand für alle Träger.</translation>
    </message>
    <message>
        <source>Spacing for all carriers</source>
        <translation>Abstand für alle Träger</translation>
    </message>
    <message>
        <source>in hertz</source>
        <translation>in Hertz</translation>
    </message>
    <message>
        <source>Spacing between each pair of carriers</source>
        <translation>Abstand zwischen je zwei Trägern</translation>
    </message>
</context>
<context>
    <name>CParameterBar</name>
    <message>
        <source>&amp;Baud:</source>
        <translation>&amp;Baud:</translation>
    </message>
    <message>
        <source>S&amp;hift:</source>
        <translation>S&amp;hift:</translation>
    </message>
    <message>
        <source>Band&amp;width:</source>
        <translation>Band&amp;breite:</translation>
    </message>
    <message>
        <source>T&amp;ones:</source>
        <translation>T&amp;öne:</translation>
    </message>
    <message>
        <source>C&amp;arriers:</source>
        <translation>Tr&amp;äger:</translation>
    </message>
    <message>
        <source>&amp;Tolerance:</source>
        <translation>&amp;Toleranz:</translation>
    </message>
    <message>
        <source>&amp;Family:</source>
        <translation>&amp;Familie:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>FSK</source>
        <translation>FSK</translation>
    </message>
    <message>
        <source>MFSK</source>
        <translation>MFSK</translation>
    </message>
    <message>
        <source>FSK Multicarrier</source>
        <translation>FSK-Mehrträger</translation>
    </message>
    <message>
        <source>OFDM</source>
        <translation>OFDM</translation>
    </message>
    <message>
        <source>PSK</source>
        <translation>PSK</translation>
    </message>
    <message>
        <source>PSK Multicarrier</source>
        <translation>PSK-Mehrträger</translation>
    </message>
    <message>
        <source>in %1</source>
        <translation>in %1</translation>
    </message>
    <message>
        <source>a percentage such as 5 %, or a number in the value&apos;s unit</source>
        <translation>ein Prozentsatz wie 5 % oder eine Zahl in der Einheit des Werts</translation>
    </message>
    <message>
        <source>Close (Esc)</source>
        <translation>Schließen (Esc)</translation>
    </message>
    <message>
        <source>Close the find by parameters</source>
        <translation>Suche nach Parametern schließen</translation>
    </message>
</context>
<context>
    <name>CProblemsModel</name>
    <message>
        <source>Duplicates (%1)</source>
        <translation>Duplikate (%1)</translation>
    </message>
    <message>
        <source>Same name, other values (%1)</source>
        <translation>Gleicher Name, andere Werte (%1)</translation>
    </message>
    <message>
        <source>Cannot be told apart (%1)</source>
        <translation>Nicht unterscheidbar (%1)</translation>
    </message>
    <message>
        <source>ITU designators (%1)</source>
        <translation>ITU-Bezeichner (%1)</translation>
    </message>
    <message>
        <source>Invalid (%1)</source>
        <translation>Ungültig (%1)</translation>
    </message>
    <message>
        <source>Unknown names (%1)</source>
        <translation>Unbekannte Namen (%1)</translation>
    </message>
    <message>
        <source>equal to an earlier “%1”</source>
        <translation>gleich einem früheren „%1“</translation>
    </message>
    <message>
        <source>differs in %1 from an earlier signal of that name</source>
        <translation>weicht in %1 von einem früheren Signal dieses Namens ab</translation>
    </message>
    <message>
        <source>cannot be told from “%1” (%2 and %3), largest deviation %4</source>
        <translation>nicht von „%1“ zu unterscheiden (%2 und %3), größte Abweichung %4</translation>
    </message>
    <message>
        <source>“%1” is not four bandwidth characters (as 3K00) and an emission class</source>
        <translation>„%1“ besteht nicht aus vier Bandbreitenzeichen (wie 3K00) und einer Sendeart</translation>
    </message>
    <message>
        <source>“%1” gives %2 Hz, the bandwidth is %3 Hz (%4 off)</source>
        <translation>„%1“ ergibt %2 Hz, die Bandbreite ist %3 Hz (%4 Abweichung)</translation>
    </message>
    <message>
        <source>a decoder mode or modulation this version does not know</source>
        <translation>ein Decodermodus oder eine Modulation, die diese Version nicht kennt</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
</context>
<context>
    <name>CProblemsPane</name>
    <message>
        <source>&amp;Go to</source>
        <translation>&amp;Gehe zu</translation>
    </message>
    <message>
        <source>Select &amp;Both</source>
        <translation>&amp;Beide auswählen</translation>
    </message>
    <message>
        <source>&amp;Delete Later</source>
        <translation>Späteres &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>Be&amp;arbeiten …</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>Probleme</translation>
    </message>
    <message>
        <source>Deletes the later of two duplicates</source>
        <translation>Löscht das spätere von zwei Duplikaten</translation>
    </message>
    <message>
        <source>Selects both signals of the pair in the list</source>
        <translation>Wählt beide Signale des Paars in der Liste aus</translation>
    </message>
    <message>
        <source>Looking again...</source>
        <translation>Erneute Prüfung …</translation>
    </message>
    <message>
        <source>No problems found</source>
        <translation>Keine Probleme gefunden</translation>
    </message>
    <message>
        <source>%1 brought in %2: Show Problems lists them</source>
        <translation>%1 brachte %2: „Probleme zeigen“ listet sie auf</translation>
    </message>
    <message>
        <source>%1 brought in %2 and %3: Show Problems lists them</source>
        <translation>%1 brachte %2 und %3: „Probleme zeigen“ listet sie auf</translation>
    </message>
    <message>
        <source>1 duplicate</source>
        <translation>1 Duplikat</translation>
    </message>
    <message>
        <source>%1 duplicates</source>
        <translation>%1 Duplikate</translation>
    </message>
    <message>
        <source>1 signal with the name of another</source>
        <translation>1 Signal mit dem Namen eines anderen</translation>
    </message>
    <message>
        <source>%1 signals with the name of another</source>
        <translation>%1 Signale mit dem Namen eines anderen</translation>
    </message>
    <message>
        <source>1 problem found</source>
        <translation>1 Problem gefunden</translation>
    </message>
    <message>
        <source>%1 problems found</source>
        <translation>%1 Probleme gefunden</translation>
    </message>
</context>
<context>
    <name>CProgressScope</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CPrompts</name>
    <message>
        <source>not enough memory</source>
        <translation>nicht genug Speicher</translation>
    </message>
    <message>
        <source>Signal Databases (*.xml);;All Files (*)</source>
        <translation>Signaldatenbanken (*.xml);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>File or git revision (%1):</source>
        <translation>Datei oder git-Fassung (%1):</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
</context>
<context>
    <name>CRecoveryKeeper</name>
    <message>
        <source>the snapshot was not written within five minutes</source>
        <translation>die Sicherungskopie wurde nicht innerhalb von fünf Minuten geschrieben</translation>
    </message>
    <message>
        <source>Unsaved changes are kept for recovery in %1 again.</source>
        <translation>Ungespeicherte Änderungen werden wieder in %1 für die Wiederherstellung aufbewahrt.</translation>
    </message>
    <message>
        <source>Unsaved changes cannot be kept for recovery: %1. Save to keep them.</source>
        <translation>Ungespeicherte Änderungen können nicht für die Wiederherstellung aufbewahrt werden: %1. Speichern Sie, um sie zu behalten.</translation>
    </message>
</context>
<context>
    <name>CShortcutsDialog</name>
    <message>
        <source>Configure Shortcuts</source>
        <translation>Tastenkürzel festlegen</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>Commands and their keys</source>
        <translation>Befehle und ihre Tasten</translation>
    </message>
    <message>
        <source>&amp;Commands:</source>
        <translation>&amp;Befehle:</translation>
    </message>
    <message>
        <source>&amp;New key:</source>
        <translation>&amp;Neue Taste:</translation>
    </message>
    <message>
        <source>New key for the selected command</source>
        <translation>Neue Taste für den ausgewählten Befehl</translation>
    </message>
    <message>
        <source>&amp;Assign</source>
        <translation>&amp;Zuweisen</translation>
    </message>
    <message>
        <source>C&amp;lear Keys</source>
        <translation>Tasten &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Reset All</source>
        <translation>Alle &amp;zurücksetzen</translation>
    </message>
    <message>
        <source>%1 is already the key of “%2”.</source>
        <translation>%1 ist bereits die Taste von „%2“.</translation>
    </message>
    <message>
        <source>%1, already the key of “%2”</source>
        <translation>%1, schon die Taste von „%2“</translation>
    </message>
    <message>
        <source>%1: Assign gives it to the selected command</source>
        <translation>%1: „Zuweisen“ gibt sie dem gewählten Befehl</translation>
    </message>
    <message>
        <source>%1 is now a key of “%2”</source>
        <translation>%1 ist jetzt eine Taste von „%2“</translation>
    </message>
</context>
<context>
    <name>CSignalController</name>
    <message>
        <source>Disable Signal</source>
        <translation>Signal deaktivieren</translation>
    </message>
    <message>
        <source>Disable %1 Signals</source>
        <translation>%1 Signale deaktivieren</translation>
    </message>
    <message>
        <source>Enable Signal</source>
        <translation>Signal aktivieren</translation>
    </message>
    <message>
        <source>Enable %1 Signals</source>
        <translation>%1 Signale aktivieren</translation>
    </message>
    <message>
        <source>%1: its family has no such field</source>
        <translation>%1: seine Familie hat dieses Feld nicht</translation>
    </message>
    <message>
        <source>%1: a code-check count needs a decoder mode</source>
        <translation>%1: ein Codecheck-Zähler braucht einen Decodermodus</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Change Signals</source>
        <translation>Signale ändern</translation>
    </message>
    <message>
        <source>1 signal changed</source>
        <translation>1 Signal geändert</translation>
    </message>
    <message>
        <source>%1 signals changed</source>
        <translation>%1 Signale geändert</translation>
    </message>
    <message>
        <source>%1 left unchanged</source>
        <translation>%1 unverändert</translation>
    </message>
    <message>
        <source>Take Signal from Other</source>
        <translation>Signal aus anderer Version übernehmen</translation>
    </message>
    <message>
        <source>Take %1 Signals from Other</source>
        <translation>%1 Signale aus anderer Version übernehmen</translation>
    </message>
    <message>
        <source>%1:%2: unknown column &quot;%3&quot; left out</source>
        <translation>%1:%2: unbekannte Spalte „%3“ ausgelassen</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>%1 added, %2 removed, %3 changed</source>
        <translation>%1 hinzugefügt, %2 entfernt, %3 geändert</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>Clipboard: no Signal element found</source>
        <translation>Zwischenablage: kein Signal-Element gefunden</translation>
    </message>
    <message>
        <source>Clipboard: empty</source>
        <translation>Zwischenablage: leer</translation>
    </message>
    <message>
        <source>Paste Signal</source>
        <translation>Signal einfügen</translation>
    </message>
    <message>
        <source>Paste %1 Signals</source>
        <translation>%1 Signale einfügen</translation>
    </message>
    <message>
        <source>Merge Signal</source>
        <translation>Signal zusammenführen</translation>
    </message>
    <message>
        <source>Merge %1 Signals</source>
        <translation>%1 Signale zusammenführen</translation>
    </message>
    <message>
        <source>git cannot be run: %1</source>
        <translation>git kann nicht ausgeführt werden: %1</translation>
    </message>
    <message>
        <source>%1: only a saved database has revisions in git</source>
        <translation>%1: nur eine gespeicherte Datenbank hat Fassungen in git</translation>
    </message>
    <message>
        <source>%1 is neither a file nor a git revision of %2 (%3)</source>
        <translation>%1 ist weder eine Datei noch eine git-Fassung von %2 (%3)</translation>
    </message>
    <message>
        <source>%1: cannot keep the revision: %2</source>
        <translation>%1: die Fassung kann nicht abgelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>CSignalEditDialog</name>
    <message>
        <source>&amp;Recognition disabled</source>
        <translation>Erkennung deakti&amp;viert</translation>
    </message>
    <message>
        <source>Signal Parameters Editor</source>
        <translation>Signalparameter bearbeiten</translation>
    </message>
    <message>
        <source>Edit Si&amp;gnal:</source>
        <translation>Si&amp;gnal bearbeiten:</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Decoder:</source>
        <translation>&amp;Decoder:</translation>
    </message>
    <message>
        <source>&amp;Modulation:</source>
        <translation>&amp;Modulation:</translation>
    </message>
    <message>
        <source>Codec&amp;heck Count:</source>
        <translation>Codec&amp;heck-Zähler:</translation>
    </message>
    <message>
        <source>&amp;ITU Designator:</source>
        <translation>&amp;ITU-Kennung:</translation>
    </message>
    <message>
        <source>Commen&amp;ts:</source>
        <translation>Kommen&amp;tare:</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please enter the number of carriers first</source>
        <translation>Bitte geben Sie zuerst die Anzahl der Träger ein</translation>
    </message>
    <message>
        <source>Data Error</source>
        <translation>Datenfehler</translation>
    </message>
    <message>
        <source>%1: %2 is not a number</source>
        <translation>%1: %2 ist keine Zahl</translation>
    </message>
    <message>
        <source>1 character left</source>
        <translation>noch 1 Zeichen</translation>
    </message>
    <message>
        <source>%1 characters left</source>
        <translation>noch %1 Zeichen</translation>
    </message>
    <message>
        <source>Signal family</source>
        <translation>Signalfamilie</translation>
    </message>
    <message>
        <source>Please enter the number of carriers first</source>
        <comment>FSK: channels</comment>
        <translation>Bitte geben Sie zuerst die Anzahl der Kanäle ein</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Re&amp;vert</source>
        <translation>&amp;Verwerfen</translation>
    </message>
</context>
<context>
    <name>CSignalEditDialogChild</name>
    <message>
        <source>&amp;Baud Rate:</source>
        <translation>Baud&amp;rate:</translation>
    </message>
    <message>
        <source>&amp;Shift:</source>
        <translation>&amp;Shift:</translation>
    </message>
    <message>
        <source>Band&amp;width:</source>
        <translation>Bandbreit&amp;e:</translation>
    </message>
    <message>
        <source>No. of Channe&amp;ls:</source>
        <translation>Anzahl Kanä&amp;le:</translation>
    </message>
    <message>
        <source>Minim&amp;um No.
of Channels:</source>
        <translation>Mindestan&amp;zahl Kanäle:</translation>
    </message>
    <message>
        <source>Pilot &amp;Frequency:</source>
        <translation>Pilot&amp;frequenz:</translation>
    </message>
    <message>
        <source>Tone Dur&amp;ation:</source>
        <translation>T&amp;ondauer:</translation>
    </message>
    <message>
        <source>&amp;Spacing:</source>
        <translation>&amp;Abstand:</translation>
    </message>
    <message>
        <source>No. o&amp;f Tones:</source>
        <translation>An&amp;zahl Töne:</translation>
    </message>
    <message>
        <source>Minim&amp;um
No. of Tones:</source>
        <translation>Mindestanzahl T&amp;öne:</translation>
    </message>
    <message>
        <source>S&amp;ymbol Rate:</source>
        <translation>S&amp;ymbolrate:</translation>
    </message>
    <message>
        <source>Multicarrier</source>
        <translation>Mehrträger</translation>
    </message>
    <message>
        <source>No. of C&amp;arriers:</source>
        <translation>Anzahl T&amp;räger:</translation>
    </message>
    <message>
        <source>Minim&amp;um
No. of Carriers:</source>
        <translation>Mindestan&amp;zahl Träger:</translation>
    </message>
    <message>
        <source>Su&amp;bcarrier:</source>
        <translation>&amp;Unterträger:</translation>
    </message>
    <message>
        <source>&amp;Edit ...</source>
        <translation>Be&amp;arbeiten …</translation>
    </message>
    <message>
        <source>S&amp;pacing:</source>
        <translation>Träger&amp;abstand:</translation>
    </message>
    <message>
        <source>baud</source>
        <translation>Baud</translation>
    </message>
    <message>
        <source>hertz</source>
        <translation>Hertz</translation>
    </message>
    <message>
        <source>milliseconds</source>
        <translation>Millisekunden</translation>
    </message>
    <message>
        <source>in %1</source>
        <translation>in %1</translation>
    </message>
    <message>
        <source>Edit carrier spacings</source>
        <translation>Trägerabstände bearbeiten</translation>
    </message>
</context>
<context>
    <name>CSignalRowModel</name>
    <message>
        <source>invalid</source>
        <translation>ungültig</translation>
    </message>
    <message>
        <source>invalid: %1</source>
        <translation>ungültig: %1</translation>
    </message>
    <message>
        <source>disabled</source>
        <translation>deaktiviert</translation>
    </message>
    <message>
        <source>merged</source>
        <translation>zusammengeführt</translation>
    </message>
    <message>
        <source>Match</source>
        <translation>Abweichung</translation>
    </message>
    <message>
        <source>only in the other version</source>
        <translation>nur in der anderen Version</translation>
    </message>
    <message>
        <source>not in the other version</source>
        <translation>nicht in der anderen Version</translation>
    </message>
    <message>
        <source>the other version has nothing</source>
        <translation>die andere Version hat keinen Wert</translation>
    </message>
    <message>
        <source>the other version has “%1”</source>
        <translation>die andere Version hat „%1“</translation>
    </message>
    <message>
        <source>the other version differs in %1</source>
        <translation>die andere Version weicht ab in: %1</translation>
    </message>
    <message>
        <source>changed in the other version</source>
        <translation>in der anderen Version geändert</translation>
    </message>
</context>
<context>
    <name>CSpacingDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>&amp;Spacing:</source>
        <translation>&amp;Abstand:</translation>
    </message>
    <message>
        <source>Spacing</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>in hertz</source>
        <translation>in Hertz</translation>
    </message>
</context>
<context>
    <name>CVantorApp</name>
    <message>
        <source>Clear Recent &amp;List</source>
        <translation>Liste lee&amp;ren</translation>
    </message>
    <message>
        <source>only one file can be opened</source>
        <translation>es kann nur eine Datei geöffnet werden</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
</context>
<context>
    <name>CVantorDoc</name>
    <message>
        <source>%1: not enough memory</source>
        <translation>%1: nicht genug Speicher</translation>
    </message>
    <message>
        <source>Merge Signal</source>
        <translation>Signal zusammenführen</translation>
    </message>
    <message>
        <source>Merge %1 Signals</source>
        <translation>%1 Signale zusammenführen</translation>
    </message>
</context>
<context>
    <name>CVantorView</name>
    <message>
        <source>Signals</source>
        <translation>Signale</translation>
    </message>
    <message>
        <source>&amp;Fit Columns to Contents</source>
        <translation>Spalten an &amp;Inhalt anpassen</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Use the desktop&apos;s style and colours
Desktop look</source>
        <translation>Stil und Farben des Desktops verwenden
Desktop-Aussehen</translation>
    </message>
    <message>
        <source>Create new signal
New Signal</source>
        <translation>Neues Signal anlegen
Neues Signal</translation>
    </message>
    <message>
        <source>Delete selected signal
Delete Signal</source>
        <translation>Ausgewähltes Signal löschen
Signal löschen</translation>
    </message>
    <message>
        <source>Show all modes
Show all</source>
        <translation>Alle Modi anzeigen
Alle anzeigen</translation>
    </message>
    <message>
        <source>Show FSK modes
Show FSK</source>
        <translation>FSK-Modi anzeigen
FSK anzeigen</translation>
    </message>
    <message>
        <source>Show MFSK modes
Show MFSK</source>
        <translation>MFSK-Modi anzeigen
MFSK anzeigen</translation>
    </message>
    <message>
        <source>Show FSK multicarrier modes
Show FSK multicarrier</source>
        <translation>FSK-Mehrträgermodi anzeigen
FSK-Mehrträger anzeigen</translation>
    </message>
    <message>
        <source>Show OFDM modes
Show OFDM</source>
        <translation>OFDM-Modi anzeigen
OFDM anzeigen</translation>
    </message>
    <message>
        <source>Show PSK Modes
Show PSK</source>
        <translation>PSK-Modi anzeigen
PSK anzeigen</translation>
    </message>
    <message>
        <source>Show PSK multicarrier modes
Show PSK multicarrier</source>
        <translation>PSK-Mehrträgermodi anzeigen
PSK-Mehrträger anzeigen</translation>
    </message>
    <message>
        <source>Merge with another XML file
Merge XML</source>
        <translation>Mit einer anderen XML-Datei zusammenführen
XML zusammenführen</translation>
    </message>
    <message>
        <source>Close a file
Close</source>
        <translation>Eine Datei schließen
Schließen</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>Ein neues Dokument anlegen
Neu</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Ein vorhandenes Dokument öffnen
Öffnen</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>Das aktive Dokument speichern
Speichern</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>Das aktive Dokument unter neuem Namen speichern
Speichern unter</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
    <message>
        <source>Select the entire document
Select All</source>
        <translation>Das ganze Dokument markieren
Alles markieren</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen
Über</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Die Anwendung beenden; fragt nach dem Speichern der Dokumente
Beenden</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle Status Bar</source>
        <translation>Die Statusleiste ein- oder ausblenden
Statusleiste umschalten</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Die Auswahl kopieren und in die Zwischenablage legen
Kopieren</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Die Auswahl ausschneiden und in die Zwischenablage legen
Ausschneiden</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Inhalt der Zwischenablage einfügen
Einfügen</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>Die letzte Aktion rückgängig machen
Rückgängig</translation>
    </message>
    <message>
        <source>Redo the previously undone action
Redo</source>
        <translation>Die zuletzt rückgängig gemachte Aktion wiederherstellen
Wiederherstellen</translation>
    </message>
    <message>
        <source>Find the specified text
Find</source>
        <translation>Den angegebenen Text suchen
Suchen</translation>
    </message>
    <message>
        <source>Edit the current signal
Edit Signal</source>
        <translation>Das aktuelle Signal bearbeiten
Signal bearbeiten</translation>
    </message>
    <message>
        <source>Edit a copy of the current signal and add it
Duplicate Signal</source>
        <translation>Eine Kopie des aktuellen Signals bearbeiten und hinzufügen
Signal duplizieren</translation>
    </message>
    <message>
        <source>Sort the list by this column
Sort</source>
        <translation>Die Liste nach dieser Spalte sortieren
Sortieren</translation>
    </message>
    <message>
        <source>Sort the list in ascending order
Ascending</source>
        <translation>Die Liste aufsteigend sortieren
Aufsteigend</translation>
    </message>
    <message>
        <source>Sort the list in descending order
Descending</source>
        <translation>Die Liste absteigend sortieren
Absteigend</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>Zum nächsten Fensterbereich wechseln
Nächster Bereich</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>Zum vorigen Fensterbereich zurückwechseln
Voriger Bereich</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Rückgängig	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>&amp;Wiederherstellen	Ctrl+Y</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>&amp;Ausschneiden	Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+Ins</source>
        <translation>&amp;Kopieren	Ctrl+Ins</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>E&amp;infügen	Ctrl+V</translation>
    </message>
    <message>
        <source>&amp;New	Ins</source>
        <translation>&amp;Neu	Ins</translation>
    </message>
    <message>
        <source>&amp;Edit...	Enter</source>
        <translation>&amp;Bearbeiten …	Enter</translation>
    </message>
    <message>
        <source>Dup&amp;licate...	Ctrl+D</source>
        <translation>&amp;Duplizieren …	Ctrl+D</translation>
    </message>
    <message>
        <source>&amp;Delete	Del</source>
        <translation>&amp;Löschen	Del</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Ak&amp;tivieren</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Deakti&amp;vieren</translation>
    </message>
    <message>
        <source>&amp;Find...	Ctrl+F</source>
        <translation>&amp;Suchen …	Ctrl+F</translation>
    </message>
    <message>
        <source>Select &amp;All	Ctrl+A</source>
        <translation>Alles &amp;markieren	Ctrl+A</translation>
    </message>
    <message>
        <source>Office 2007 (&amp;Blue Style)</source>
        <translation>Office 2007 (&amp;Blau)</translation>
    </message>
    <message>
        <source>Office 2007 (B&amp;lack Style)</source>
        <translation>Office 2007 (&amp;Schwarz)</translation>
    </message>
    <message>
        <source>Office 2007 (&amp;Silver Style)</source>
        <translation>Office 2007 (S&amp;ilber)</translation>
    </message>
    <message>
        <source>Office 2007 (&amp;Aqua Style)</source>
        <translation>Office 2007 (&amp;Aqua)</translation>
    </message>
    <message>
        <source>Win&amp;dows 7</source>
        <translation>&amp;Windows 7</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen …	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Merge...	Ctrl+M</source>
        <translation>&amp;Zusammenführen …	Ctrl+M</translation>
    </message>
    <message>
        <source>&amp;Close...	Ctrl+C</source>
        <translation>Sch&amp;ließen …	Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter …</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren …</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Toolbars and Docking Windows</source>
        <translation>Sym&amp;bolleisten und andockbare Fenster</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Set Filter</source>
        <translation>&amp;Filter setzen</translation>
    </message>
    <message>
        <source>Show All</source>
        <translation>Alle anzeigen</translation>
    </message>
    <message>
        <source>FSK</source>
        <translation>FSK</translation>
    </message>
    <message>
        <source>MFSK</source>
        <translation>MFSK</translation>
    </message>
    <message>
        <source>FSK Multicarrier</source>
        <translation>FSK-Mehrträger</translation>
    </message>
    <message>
        <source>OFDM</source>
        <translation>OFDM</translation>
    </message>
    <message>
        <source>PSK</source>
        <translation>PSK</translation>
    </message>
    <message>
        <source>PSK Multicarrier</source>
        <translation>PSK-Mehrträger</translation>
    </message>
    <message>
        <source>Sort &amp;By</source>
        <translation>Sortieren &amp;nach</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Decoder</source>
        <translation>&amp;Decoder</translation>
    </message>
    <message>
        <source>&amp;Modulation</source>
        <translation>&amp;Modulation</translation>
    </message>
    <message>
        <source>S&amp;ubcarrier</source>
        <translation>&amp;Unterträger</translation>
    </message>
    <message>
        <source>&amp;Baud / Symbol Rate</source>
        <translation>&amp;Baud / Symbolrate</translation>
    </message>
    <message>
        <source>S&amp;hift</source>
        <translation>S&amp;hift</translation>
    </message>
    <message>
        <source>Band&amp;width</source>
        <translation>Bandb&amp;reite</translation>
    </message>
    <message>
        <source>No. of &amp;Tones</source>
        <translation>Anzahl &amp;Töne</translation>
    </message>
    <message>
        <source>No. of &amp;Carriers</source>
        <translation>Anzahl Trä&amp;ger</translation>
    </message>
    <message>
        <source>S&amp;pacing</source>
        <translation>&amp;Abstand</translation>
    </message>
    <message>
        <source>P&amp;ilot Frequency</source>
        <translation>&amp;Pilotfrequenz</translation>
    </message>
    <message>
        <source>Codecheck C&amp;ounter</source>
        <translation>&amp;Codecheck-Zähler</translation>
    </message>
    <message>
        <source>ITU Desi&amp;gnator</source>
        <translation>&amp;ITU-Kennung</translation>
    </message>
    <message>
        <source>Comment&amp;s</source>
        <translation>&amp;Kommentare</translation>
    </message>
    <message>
        <source>&amp;Ascending</source>
        <translation>Auf&amp;steigend</translation>
    </message>
    <message>
        <source>Desc&amp;ending</source>
        <translation>Abst&amp;eigend</translation>
    </message>
    <message>
        <source>Application &amp;Look</source>
        <translation>&amp;Erscheinungsbild</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents ...	F1</source>
        <translation>&amp;Inhalt …	F1</translation>
    </message>
    <message>
        <source>&amp;About Quarn Editor...</source>
        <translation>&amp;Über Quarn Editor …</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>Das aktive Dokument schließen
Schließen</translation>
    </message>
    <message>
        <source>Erase the selection
Erase</source>
        <translation>Die Auswahl löschen
Löschen</translation>
    </message>
    <message>
        <source>Erase everything
Erase All</source>
        <translation>Alles löschen
Alles löschen</translation>
    </message>
    <message>
        <source>Repeat the last action
Repeat</source>
        <translation>Die letzte Aktion wiederholen
Wiederholen</translation>
    </message>
    <message>
        <source>Replace specific text with different text
Replace</source>
        <translation>Bestimmten Text durch anderen ersetzen
Ersetzen</translation>
    </message>
    <message>
        <source>Split the active window into panes
Split</source>
        <translation>Das aktive Fenster in Bereiche teilen
Teilen</translation>
    </message>
    <message>
        <source>Change the window size</source>
        <translation>Die Fenstergröße ändern</translation>
    </message>
    <message>
        <source>Change the window position</source>
        <translation>Die Fensterposition ändern</translation>
    </message>
    <message>
        <source>Reduce the window to an icon</source>
        <translation>Das Fenster zum Symbol verkleinern</translation>
    </message>
    <message>
        <source>Enlarge the window to full size</source>
        <translation>Das Fenster auf volle Größe bringen</translation>
    </message>
    <message>
        <source>Switch to the next document window</source>
        <translation>Zum nächsten Dokumentfenster wechseln</translation>
    </message>
    <message>
        <source>Switch to the previous document window</source>
        <translation>Zum vorigen Dokumentfenster wechseln</translation>
    </message>
    <message>
        <source>Close the active window and prompts to save the documents</source>
        <translation>Das aktive Fenster schließen und nach dem Speichern der Dokumente fragen</translation>
    </message>
    <message>
        <source>Restore the window to normal size</source>
        <translation>Das Fenster auf normale Größe zurücksetzen</translation>
    </message>
    <message>
        <source>Activate Task List</source>
        <translation>Aufgabenliste aktivieren</translation>
    </message>
    <message>
        <source>Des&amp;ktop</source>
        <translation>Des&amp;ktop</translation>
    </message>
    <message>
        <source>Choose the keys of the commands
Configure Shortcuts</source>
        <translation>Die Tasten der Befehle festlegen
Tastenkürzel festlegen</translation>
    </message>
    <message>
        <source>&amp;Configure Shortcuts...</source>
        <translation>&amp;Tastenkürzel festlegen …</translation>
    </message>
    <message>
        <source>Find signals by measured rate, shift, bandwidth, tones or carriers
Find by Parameters</source>
        <translation>Signale nach gemessener Rate, Shift, Bandbreite, Tönen oder Trägern suchen
Nach Parametern suchen</translation>
    </message>
    <message>
        <source>Find by Para&amp;meters...	Ctrl+Shift+F</source>
        <translation>Nach &amp;Parametern suchen …	Ctrl+Shift+F</translation>
    </message>
    <message>
        <source>Set one field on every selected signal
Change Selected Signals</source>
        <translation>Ein Feld in allen ausgewählten Signalen setzen
Ausgewählte Signale ändern</translation>
    </message>
    <message>
        <source>C&amp;hange Selected Signals...</source>
        <translation>Ausgewählte Si&amp;gnale ändern …</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren …</translation>
    </message>
    <message>
        <source>Mark how another version of the database differs
Compare With</source>
        <translation>Markieren, worin eine andere Version der Datenbank abweicht
Vergleichen mit</translation>
    </message>
    <message>
        <source>Make the selected rows as the other version has them
Take from Other</source>
        <translation>Die ausgewählten Zeilen so übernehmen, wie die andere Version sie hat
Aus anderer Version übernehmen</translation>
    </message>
    <message>
        <source>Go to the next difference
Next Difference</source>
        <translation>Zum nächsten Unterschied gehen
Nächster Unterschied</translation>
    </message>
    <message>
        <source>Go to the previous difference
Previous Difference</source>
        <translation>Zum vorherigen Unterschied gehen
Vorheriger Unterschied</translation>
    </message>
    <message>
        <source>Stop marking the other version&apos;s differences
End Comparison</source>
        <translation>Die Unterschiede der anderen Version nicht mehr markieren
Vergleich beenden</translation>
    </message>
    <message>
        <source>Ta&amp;ke from Other</source>
        <translation>Aus anderer Version &amp;übernehmen</translation>
    </message>
    <message>
        <source>Compare &amp;With...</source>
        <translation>Vergleichen &amp;mit …</translation>
    </message>
    <message>
        <source>&amp;Next Difference	F8</source>
        <translation>Nä&amp;chster Unterschied	F8</translation>
    </message>
    <message>
        <source>&amp;Previous Difference	Shift+F8</source>
        <translation>&amp;Vorheriger Unterschied	Shift+F8</translation>
    </message>
    <message>
        <source>&amp;End Comparison	Esc</source>
        <translation>Ver&amp;gleich beenden	Esc</translation>
    </message>
    <message>
        <source>Append the signals of a spreadsheet (CSV or OpenDocument), as Export writes it
Import</source>
        <translation>Die Signale einer Tabelle (CSV oder OpenDocument) anhängen, wie „Exportieren“ sie schreibt
Importieren</translation>
    </message>
    <message>
        <source>Save the rows shown for a spreadsheet (CSV, or OpenDocument as .ods)
Export</source>
        <translation>Die angezeigten Zeilen für eine Tabellenkalkulation speichern (CSV, oder OpenDocument als .ods)
Exportieren</translation>
    </message>
    <message>
        <source>Show or hide the current signal&apos;s fields beside the list
Details</source>
        <translation>Die Felder des aktuellen Signals neben der Liste ein- oder ausblenden
Details</translation>
    </message>
    <message>
        <source>&amp;Details	F4</source>
        <translation>&amp;Details	F4</translation>
    </message>
    <message>
        <source>List duplicates, signals that cannot be told apart and other problems of the database
Problems</source>
        <translation>Duplikate, nicht unterscheidbare Signale und andere Probleme der Datenbank auflisten
Probleme</translation>
    </message>
    <message>
        <source>Pr&amp;oblems</source>
        <translation>Pr&amp;obleme</translation>
    </message>
    <message>
        <source>Take in what changed in a file merged before
Update from</source>
        <translation>Übernimmt, was sich in einer früher zusammengeführten Datei geändert hat
Aktualisieren aus</translation>
    </message>
    <message>
        <source>&amp;Update from...</source>
        <translation>&amp;Aktualisieren aus …</translation>
    </message>
</context>
<context>
    <name>Csv</name>
    <message>
        <source>a quoted field is not closed</source>
        <translation>ein Feld in Anführungszeichen ist nicht geschlossen</translation>
    </message>
    <message>
        <source>%1: %2 is not a number</source>
        <translation>%1: %2 ist keine Zahl</translation>
    </message>
    <message>
        <source>no Name column</source>
        <translation>keine Spalte „Name“</translation>
    </message>
    <message>
        <source>%1: longer than %2 characters</source>
        <translation>%1: länger als %2 Zeichen</translation>
    </message>
    <message>
        <source>%1: %2 is not 0 or 1</source>
        <translation>%1: %2 ist weder 0 noch 1</translation>
    </message>
    <message>
        <source>read as %1</source>
        <translation>als %1 gelesen</translation>
    </message>
    <message>
        <source>separated by semicolons, with decimal commas</source>
        <translation>durch Semikolons getrennt, mit Dezimalkommas</translation>
    </message>
    <message>
        <source>separated by tabs</source>
        <translation>durch Tabulatoren getrennt</translation>
    </message>
    <message>
        <source>no rows of signals below the headings</source>
        <translation>keine Signalzeilen unter den Überschriften</translation>
    </message>
    <message>
        <source>kept markup cannot be typed</source>
        <translation>bewahrtes Markup kann nicht eingegeben werden</translation>
    </message>
</context>
<context>
    <name>FileTarget</name>
    <message>
        <source>%1: not enough memory</source>
        <translation>%1: nicht genug Speicher</translation>
    </message>
    <message>
        <source>%1 was written, but the system could not confirm that its new name is on the disk (%2): it may not survive a power loss</source>
        <translation>%1 wurde geschrieben, aber das System konnte nicht bestätigen, dass sein neuer Name auf dem Datenträger steht (%2): Nach einem Stromausfall ist die Datei womöglich nicht mehr da</translation>
    </message>
    <message>
        <source>The file could not be put back as it was; its old content is in %1.</source>
        <translation>Die Datei konnte nicht in ihren vorigen Zustand zurückversetzt werden; ihr alter Inhalt liegt in %1.</translation>
    </message>
</context>
<context>
    <name>IoError</name>
    <message>
        <source>cannot write the file</source>
        <translation>die Datei kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine normale Datei</translation>
    </message>
    <message>
        <source>%1 is a symbolic link to a file that does not exist</source>
        <translation>%1 ist ein symbolischer Link auf eine Datei, die nicht existiert</translation>
    </message>
    <message>
        <source>%1 is not on a file system that holds files</source>
        <translation>%1 liegt nicht auf einem Dateisystem, das Dateien aufnimmt</translation>
    </message>
    <message>
        <source>%1: cannot make a backup copy before rewriting the file</source>
        <translation>%1: vor dem Neuschreiben der Datei kann keine Sicherungskopie angelegt werden</translation>
    </message>
    <message>
        <source>%1: not enough memory</source>
        <translation>%1: nicht genug Speicher</translation>
    </message>
</context>
<context>
    <name>OdsTable</name>
    <message>
        <source>a cell longer than a million characters</source>
        <translation>eine Zelle mit mehr als einer Million Zeichen</translation>
    </message>
    <message>
        <source>a row of more than 1024 cells</source>
        <translation>eine Zeile mit mehr als 1024 Zellen</translation>
    </message>
    <message>
        <source>more than 4,000,000 rows</source>
        <translation>mehr als 4.000.000 Zeilen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a character a spreadsheet cannot carry</source>
        <translation>„%1“ enthält ein Zeichen, das eine Tabelle nicht aufnehmen kann</translation>
    </message>
    <message>
        <source>the spreadsheet could not be made</source>
        <translation>die Tabelle konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>not an OpenDocument spreadsheet</source>
        <translation>keine OpenDocument-Tabelle</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>nicht genug Speicher</translation>
    </message>
    <message>
        <source>content.xml: %1 at line %2</source>
        <translation>content.xml: %1 in Zeile %2</translation>
    </message>
    <message>
        <source>the spreadsheet holds no table</source>
        <translation>die Datei enthält keine Tabelle</translation>
    </message>
</context>
<context>
    <name>Signal</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Decoder</source>
        <translation>Decoder</translation>
    </message>
    <message>
        <source>Modulation</source>
        <translation>Modulation</translation>
    </message>
    <message>
        <source>Subcarrier</source>
        <translation>Unterträger</translation>
    </message>
    <message>
        <source>Baud / Symbol Rate</source>
        <translation>Baud / Symbolrate</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Bandbreite</translation>
    </message>
    <message>
        <source>No. of Tones</source>
        <translation>Anzahl Töne</translation>
    </message>
    <message>
        <source>No. of Carriers</source>
        <translation>Anzahl Träger</translation>
    </message>
    <message>
        <source>Spacing</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>Pilot Frequency</source>
        <translation>Pilotfrequenz</translation>
    </message>
    <message>
        <source>Codecheck Counter</source>
        <translation>Codecheck-Zähler</translation>
    </message>
    <message>
        <source>ITU Designator</source>
        <translation>ITU-Kennung</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Kommentare</translation>
    </message>
    <message>
        <source>You have to specify a name</source>
        <translation>Sie müssen einen Namen angeben</translation>
    </message>
    <message>
        <source>No negative baud rate allowed</source>
        <translation>Keine negative Baudrate erlaubt</translation>
    </message>
    <message>
        <source>No negative shift allowed</source>
        <translation>Kein negativer Shift erlaubt</translation>
    </message>
    <message>
        <source>No negative number of tones allowed</source>
        <translation>Keine negative Anzahl Töne erlaubt</translation>
    </message>
    <message>
        <source>No negative number of carriers allowed</source>
        <translation>Keine negative Anzahl Träger erlaubt</translation>
    </message>
    <message>
        <source>No modulation selected</source>
        <translation>Keine Modulation ausgewählt</translation>
    </message>
    <message>
        <source>No baud rate specified</source>
        <translation>Keine Baudrate angegeben</translation>
    </message>
    <message>
        <source>No shift specified</source>
        <translation>Kein Shift angegeben</translation>
    </message>
    <message>
        <source>No spacing specified</source>
        <translation>Kein Abstand angegeben</translation>
    </message>
    <message>
        <source>Less than 3 tones specified for MFSK</source>
        <translation>Weniger als 3 Töne für MFSK angegeben</translation>
    </message>
    <message>
        <source>No symbol rate specified</source>
        <translation>Keine Symbolrate angegeben</translation>
    </message>
    <message>
        <source>Unknown Modulation</source>
        <translation>Unbekannte Modulation</translation>
    </message>
    <message>
        <source>Codecheck count must be positive</source>
        <translation>Der Codecheck-Zähler muss positiv sein</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Minimum Tones</source>
        <translation>Mindestanzahl Töne</translation>
    </message>
    <message>
        <source>Minimum Carriers</source>
        <translation>Mindestanzahl Träger</translation>
    </message>
</context>
<context>
    <name>SignalFileReader</name>
    <message>
        <source>markup kept with a signal longer than %1 bytes</source>
        <translation>mit einem Signal beibehaltenes Markup, länger als %1 Bytes</translation>
    </message>
    <message>
        <source>elements nested deeper than %1 levels (excessive depth)</source>
        <translation>Elemente tiefer als %1 Ebenen verschachtelt (übermäßige Tiefe)</translation>
    </message>
    <message>
        <source>an attribute value longer than %1 bytes</source>
        <translation>ein Attributwert länger als %1 Bytes</translation>
    </message>
    <message>
        <source>a text longer than %1 bytes</source>
        <translation>ein Text länger als %1 Bytes</translation>
    </message>
    <message>
        <source>XML version %1 is not supported</source>
        <translation>XML-Version %1 wird nicht unterstützt</translation>
    </message>
    <message>
        <source>the byte-order mark says UTF-8, the declaration says %1</source>
        <translation>die Bytereihenfolgemarkierung (BOM) nennt UTF-8, die Deklaration %1</translation>
    </message>
    <message>
        <source>the byte-order mark says UTF-16, the declaration says %1</source>
        <translation>die Bytereihenfolgemarkierung (BOM) nennt UTF-16, die Deklaration %1</translation>
    </message>
    <message>
        <source>the entity %1%2; is not declared in the document</source>
        <translation>die Entität %1%2; ist im Dokument nicht deklariert</translation>
    </message>
    <message>
        <source>%1: line %2, column %3: %4</source>
        <translation>%1: Zeile %2, Spalte %3: %4</translation>
    </message>
    <message>
        <source>%1: line 1, column 1: the file is empty</source>
        <translation>%1: Zeile 1, Spalte 1: die Datei ist leer</translation>
    </message>
    <message>
        <source>%1: the file is in UTF-32, which is not supported</source>
        <translation>%1: die Datei ist in UTF-32, das nicht unterstützt wird</translation>
    </message>
    <message>
        <source>%1: an EBCDIC document that does not declare its encoding</source>
        <translation>%1: ein EBCDIC-Dokument, das seine Kodierung nicht deklariert</translation>
    </message>
    <message>
        <source>%1: reading was cancelled</source>
        <translation>%1: das Lesen wurde abgebrochen</translation>
    </message>
    <message>
        <source>bytes that are not valid %1</source>
        <translation>Bytes, die kein gültiges %1 sind</translation>
    </message>
    <message>
        <source>a piece of markup longer than %1 bytes</source>
        <translation>ein Stück Markup länger als %1 Bytes</translation>
    </message>
    <message>
        <source>the %1 of &quot;%2&quot; will be saved as %3</source>
        <translation>%1 von „%2“ wird als %3 gespeichert</translation>
    </message>
    <message>
        <source>disabled flag</source>
        <translation>das Kennzeichen „Erkennung deaktiviert“</translation>
    </message>
    <message>
        <source>baud rate</source>
        <translation>die Baudrate</translation>
    </message>
    <message>
        <source>shift</source>
        <translation>der Shift</translation>
    </message>
    <message>
        <source>bandwidth</source>
        <translation>die Bandbreite</translation>
    </message>
    <message>
        <source>number of tones</source>
        <translation>die Anzahl der Töne</translation>
    </message>
    <message>
        <source>tone spacing</source>
        <translation>der Tonabstand</translation>
    </message>
    <message>
        <source>number of carriers</source>
        <translation>die Anzahl der Träger</translation>
    </message>
    <message>
        <source>pilot frequency</source>
        <translation>die Pilotfrequenz</translation>
    </message>
    <message>
        <source>minimum number of carriers</source>
        <translation>die Mindestanzahl der Träger</translation>
    </message>
    <message>
        <source>minimum number of tones</source>
        <translation>die Mindestanzahl der Töne</translation>
    </message>
    <message>
        <source>code-check counter</source>
        <translation>der Codecheck-Zähler</translation>
    </message>
</context>
<context>
    <name>SignalFileReport</name>
    <message>
        <source>1 comment outside signals</source>
        <translation>1 Kommentar außerhalb der Signale</translation>
    </message>
    <message>
        <source>%1 comments outside signals</source>
        <translation>%1 Kommentare außerhalb der Signale</translation>
    </message>
    <message>
        <source>1 processing instruction outside signals</source>
        <translation>1 Verarbeitungsanweisung außerhalb der Signale</translation>
    </message>
    <message>
        <source>%1 processing instructions outside signals</source>
        <translation>%1 Verarbeitungsanweisungen außerhalb der Signale</translation>
    </message>
    <message>
        <source>the document type declaration</source>
        <translation>die Dokumenttyp-Deklaration</translation>
    </message>
    <message>
        <source>1 &lt;%1&gt; element</source>
        <translation>1 &lt;%1&gt;-Element</translation>
    </message>
    <message>
        <source>%1 &lt;%2&gt; elements</source>
        <translation>%1 &lt;%2&gt;-Elemente</translation>
    </message>
    <message>
        <source>the place of 1 Signal element outside SignalList</source>
        <translation>die Stelle von 1 Signal-Element außerhalb von SignalList</translation>
    </message>
    <message>
        <source>the place of %1 Signal elements outside SignalList</source>
        <translation>die Stelle von %1 Signal-Elementen außerhalb von SignalList</translation>
    </message>
    <message>
        <source>%1 will not be saved</source>
        <translation>Folgendes wird nicht gespeichert: %1</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>1 name was cut to %1 characters</source>
        <translation>1 Name wurde auf %1 Zeichen gekürzt</translation>
    </message>
    <message>
        <source>%1 names were cut to %2 characters</source>
        <translation>%1 Namen wurden auf %2 Zeichen gekürzt</translation>
    </message>
    <message>
        <source>1 ITU designator was cut to %1 characters</source>
        <translation>1 ITU-Kennung wurde auf %1 Zeichen gekürzt</translation>
    </message>
    <message>
        <source>%1 ITU designators were cut to %2 characters</source>
        <translation>%1 ITU-Kennungen wurden auf %2 Zeichen gekürzt</translation>
    </message>
    <message>
        <source>1 comment was cut to %1 characters</source>
        <translation>1 Kommentar wurde auf %1 Zeichen gekürzt</translation>
    </message>
    <message>
        <source>%1 comments were cut to %2 characters</source>
        <translation>%1 Kommentare wurden auf %2 Zeichen gekürzt</translation>
    </message>
    <message>
        <source>1 spacing was cut to %1 characters</source>
        <translation>1 Abstand wurde auf %1 Zeichen gekürzt</translation>
    </message>
    <message>
        <source>%1 spacings were cut to %2 characters</source>
        <translation>%1 Abstände wurden auf %2 Zeichen gekürzt</translation>
    </message>
    <message>
        <source>%1 more numbers will be saved in another form</source>
        <translation>%1 weitere Zahlen werden in anderer Form gespeichert</translation>
    </message>
    <message>
        <source>1 piece of markup inside a field of a signal</source>
        <translation>1 Markup-Teil innerhalb eines Feldes eines Signals</translation>
    </message>
    <message>
        <source>%1 pieces of markup inside fields of signals</source>
        <translation>%1 Markup-Teile innerhalb von Feldern von Signalen</translation>
    </message>
    <message>
        <source>1 piece of markup inside a signal named with ª, µ or º</source>
        <translation>1 Markup-Teil innerhalb eines Signals mit ª, µ oder º im Namen</translation>
    </message>
    <message>
        <source>%1 pieces of markup inside signals named with ª, µ or º</source>
        <translation>%1 Markup-Teile innerhalb von Signalen mit ª, µ oder º im Namen</translation>
    </message>
    <message>
        <source>text outside signals</source>
        <translation>Text außerhalb von Signalen</translation>
    </message>
    <message>
        <source>text directly inside 1 signal</source>
        <translation>Text direkt in 1 Signal</translation>
    </message>
    <message>
        <source>text directly inside %1 signals</source>
        <translation>Text direkt in %1 Signalen</translation>
    </message>
    <message>
        <source>the earlier value of 1 field given twice in a signal</source>
        <translation>der frühere Wert von 1 Feld, das in einem Signal zweimal vorkommt</translation>
    </message>
    <message>
        <source>the earlier values of %1 fields given more than once in signals</source>
        <translation>die früheren Werte von %1 Feldern, die in Signalen mehrfach vorkommen</translation>
    </message>
    <message>
        <source>1 attribute of SignalDatabase or SignalList</source>
        <translation>1 Attribut von SignalDatabase oder SignalList</translation>
    </message>
    <message>
        <source>%1 attributes of SignalDatabase or SignalList</source>
        <translation>%1 Attribute von SignalDatabase oder SignalList</translation>
    </message>
</context>
<context>
    <name>SignalFileWriter</name>
    <message>
        <source>%1: writing was cancelled</source>
        <translation>%1: das Schreiben wurde abgebrochen</translation>
    </message>
    <message>
        <source>writing was cancelled</source>
        <translation>das Schreiben wurde abgebrochen</translation>
    </message>
    <message>
        <source>cannot write the document</source>
        <translation>das Dokument kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Signal %1 (&quot;%2&quot;): the %3 holds a character that cannot be stored in the file</source>
        <translation>Signal %1 („%2“): %3 enthält ein Zeichen, das in der Datei nicht gespeichert werden kann</translation>
    </message>
    <message>
        <source>name</source>
        <translation>der Name</translation>
    </message>
    <message>
        <source>ITU designator</source>
        <translation>die ITU-Kennung</translation>
    </message>
    <message>
        <source>comment</source>
        <translation>der Kommentar</translation>
    </message>
    <message>
        <source>spacing</source>
        <translation>der Abstand</translation>
    </message>
</context>
<context>
    <name>SignalSteps</name>
    <message>
        <source>Edit Signal</source>
        <translation>Signal bearbeiten</translation>
    </message>
</context>
<context>
    <name>SpacingText</name>
    <message>
        <source>Carriers %1-%2</source>
        <translation>Träger %1–%2</translation>
    </message>
</context>
</TS>
