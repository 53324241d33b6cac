<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Conversions</name>
    <message>
        <source>Calculator</source>
        <translation>Rechner</translation>
    </message>
    <message>
        <source>Standard Calculator</source>
        <translation>Standardrechner</translation>
    </message>
    <message>
        <source>Metric to English</source>
        <translation>Metrisch nach englisch</translation>
    </message>
    <message>
        <source>Metric to English Conversions</source>
        <translation>Umrechnung metrisch nach englisch</translation>
    </message>
    <message>
        <source>English to Metric</source>
        <translation>Englisch nach metrisch</translation>
    </message>
    <message>
        <source>English to Metric Conversions</source>
        <translation>Umrechnung englisch nach metrisch</translation>
    </message>
    <message>
        <source>Area/Volume Metric to English</source>
        <translation>Fläche/Volumen metrisch nach englisch</translation>
    </message>
    <message>
        <source>Area/Volume Metric to English Conversions</source>
        <translation>Umrechnung Fläche/Volumen metrisch nach englisch</translation>
    </message>
    <message>
        <source>Area/Volume English to Metric</source>
        <translation>Fläche/Volumen englisch nach metrisch</translation>
    </message>
    <message>
        <source>Area/Volume English to Metric Conversions</source>
        <translation>Umrechnung Fläche/Volumen englisch nach metrisch</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>Temperature Conversions</source>
        <translation>Temperaturumrechnung</translation>
    </message>
    <message>
        <source>Time - Week</source>
        <translation>Zeit – Woche</translation>
    </message>
    <message>
        <source>Time Conversions - Week</source>
        <translation>Zeitumrechnung – Woche</translation>
    </message>
    <message>
        <source>Time - Day</source>
        <translation>Zeit – Tag</translation>
    </message>
    <message>
        <source>Time Conversions - Day</source>
        <translation>Zeitumrechnung – Tag</translation>
    </message>
    <message>
        <source>Time - Hour</source>
        <translation>Zeit – Stunde</translation>
    </message>
    <message>
        <source>Time Conversions - Hour</source>
        <translation>Zeitumrechnung – Stunde</translation>
    </message>
    <message>
        <source>Time - Minutes</source>
        <translation>Zeit – Minuten</translation>
    </message>
    <message>
        <source>Time Conversions - Minutes</source>
        <translation>Zeitumrechnung – Minuten</translation>
    </message>
</context>
<context>
    <name>Hints</name>
    <message>
        <source>Press F1 for Help</source>
        <translation>F1 öffnet die Hilfe</translation>
    </message>
    <message>
        <source>Press F1 for Help [Percent]</source>
        <translation>F1 öffnet die Hilfe [Prozent]</translation>
    </message>
    <message>
        <source>Press F1 for Help [Adding]</source>
        <translation>F1 öffnet die Hilfe [Addieren]</translation>
    </message>
    <message>
        <source>Press F1 for Help [Subtracting]</source>
        <translation>F1 öffnet die Hilfe [Subtrahieren]</translation>
    </message>
    <message>
        <source>Press F1 for Help [Multiplying]</source>
        <translation>F1 öffnet die Hilfe [Multiplizieren]</translation>
    </message>
    <message>
        <source>Press F1 for Help [Dividing]</source>
        <translation>F1 öffnet die Hilfe [Dividieren]</translation>
    </message>
    <message>
        <source>Press F1 for Help [RPN]</source>
        <translation>F1 öffnet die Hilfe [UPN]</translation>
    </message>
    <message>
        <source>Press F1 for Help [Scientific]</source>
        <translation>F1 öffnet die Hilfe [Wissenschaftlich]</translation>
    </message>
    <message>
        <source>Editing the tape: choose Edit Tape again to lock it</source>
        <translation>Streifen wird bearbeitet: „Streifen bearbeiten“ erneut wählen, um ihn zu sperren</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Invalid value!</source>
        <translation>Ungültiger Wert!</translation>
    </message>
    <message>
        <source>RPN Error</source>
        <translation>UPN-Fehler</translation>
    </message>
    <message>
        <source>Can&apos;t divide by zero</source>
        <translation>Division durch null ist nicht möglich</translation>
    </message>
    <message>
        <source>Can&apos;t divide by 0.</source>
        <translation>Division durch 0 ist nicht möglich.</translation>
    </message>
    <message>
        <source>There are no numbers in the stack.</source>
        <translation>Der Stapel enthält keine Zahlen.</translation>
    </message>
    <message>
        <source>Clear the tape?</source>
        <translation>Den Streifen löschen?</translation>
    </message>
    <message>
        <source>Enter the note to write on the tape:</source>
        <translation>Notiz, die auf den Streifen geschrieben wird:</translation>
    </message>
    <message>
        <source>Annotate Tape</source>
        <translation>Notiz auf Streifen</translation>
    </message>
    <message>
        <source>Find what:</source>
        <translation>Suchen nach:</translation>
    </message>
    <message>
        <source>Find On Tape</source>
        <translation>Auf Streifen suchen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not found on the tape.</source>
        <translation>„%1“ wurde auf dem Streifen nicht gefunden.</translation>
    </message>
    <message>
        <source>The end of the tape was reached; the search continued from the top.</source>
        <translation>Das Ende des Streifens wurde erreicht; die Suche wurde am Anfang fortgesetzt.</translation>
    </message>
    <message>
        <source>Save the tape to the file:</source>
        <translation>Den Streifen in dieser Datei speichern:</translation>
    </message>
    <message>
        <source>Save Tape to File</source>
        <translation>Streifen in Datei speichern</translation>
    </message>
    <message>
        <source>Load the tape from the file:</source>
        <translation>Den Streifen aus dieser Datei laden:</translation>
    </message>
    <message>
        <source>Load Saved Tape</source>
        <translation>Gespeicherten Streifen laden</translation>
    </message>
    <message>
        <source>Logarithm to which base?</source>
        <translation>Logarithmus zu welcher Basis?</translation>
    </message>
    <message>
        <source>Logarithm to Base N</source>
        <translation>Logarithmus zur Basis N</translation>
    </message>
    <message>
        <source>Source and Destination must be different!</source>
        <translation>Quelle und Ziel müssen verschieden sein!</translation>
    </message>
    <message>
        <source>Backup succeeded!</source>
        <translation>Sicherung erfolgreich!</translation>
    </message>
    <message>
        <source>Restore succeeded!</source>
        <translation>Wiederherstellung erfolgreich!</translation>
    </message>
    <message>
        <source>Backup could not be completed!</source>
        <translation>Die Sicherung konnte nicht abgeschlossen werden!</translation>
    </message>
    <message>
        <source>Restore could not be completed!</source>
        <translation>Die Wiederherstellung konnte nicht abgeschlossen werden!</translation>
    </message>
    <message>
        <source>Zorv Calculator is already running!</source>
        <translation>Zorv Calculator läuft bereits!</translation>
    </message>
    <message>
        <source>Daily compound interest?</source>
        <translation>Tägliche Zinseszinsen?</translation>
    </message>
    <message>
        <source>Type of Interest</source>
        <translation>Art der Verzinsung</translation>
    </message>
    <message>
        <source>Are payments made at the end of the period?</source>
        <translation>Werden die Zahlungen am Ende der Periode geleistet?</translation>
    </message>
    <message>
        <source>Convert from which unit?</source>
        <translation>Von welcher Einheit umrechnen?</translation>
    </message>
    <message>
        <source>Convert to which unit?</source>
        <translation>In welche Einheit umrechnen?</translation>
    </message>
    <message>
        <source>Convert from which currency (ISO code)?</source>
        <translation>Von welcher Währung umrechnen (ISO-Code)?</translation>
    </message>
    <message>
        <source>Convert to which currency (ISO code)?</source>
        <translation>In welche Währung umrechnen (ISO-Code)?</translation>
    </message>
    <message>
        <source>Word size in bits (8, 16, 32 or 64)?</source>
        <translation>Wortbreite in Bit (8, 16, 32 oder 64)?</translation>
    </message>
    <message>
        <source>Base Conversions</source>
        <translation>Basisumrechnung</translation>
    </message>
    <message>
        <source>Add or Change a Rate</source>
        <translation>Kurs hinzufügen oder ändern</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Project timer</source>
        <translation>Projektzeit</translation>
    </message>
    <message>
        <source>The project timer is running; Start/Stop Project Timer stops and bills it</source>
        <translation>Die Projektzeit läuft; „Projektzeit starten/stoppen“ hält sie an und rechnet sie ab</translation>
    </message>
    <message>
        <source>Project timer %1</source>
        <translation>Projektzeit %1</translation>
    </message>
    <message>
        <source>Stop Pro&amp;ject Timer (running)</source>
        <translation>&amp;Projektzeit stoppen (läuft)</translation>
    </message>
    <message>
        <source>Start Pro&amp;ject Timer</source>
        <translation>&amp;Projektzeit starten</translation>
    </message>
    <message>
        <source>Reminder only</source>
        <translation>Nur erinnern</translation>
    </message>
    <message>
        <source>Play a sound</source>
        <translation>Ton abspielen</translation>
    </message>
    <message>
        <source>Open a file or address</source>
        <translation>Datei oder Adresse öffnen</translation>
    </message>
    <message>
        <source>Run a program</source>
        <translation>Programm starten</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>Einmal</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekdays</source>
        <translation>Werktags</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>&amp;Operators</source>
        <translation>&amp;Operatoren</translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation>&amp;Speicher</translation>
    </message>
    <message>
        <source>Mo&amp;des</source>
        <translation>&amp;Modi</translation>
    </message>
    <message>
        <source>F&amp;in</source>
        <translation>F&amp;inanz</translation>
    </message>
    <message>
        <source>&amp;Sci</source>
        <translation>&amp;Wissenschaftlich</translation>
    </message>
    <message>
        <source>&amp;Conversions</source>
        <translation>Umre&amp;chnungen</translation>
    </message>
    <message>
        <source>&amp;Tape</source>
        <translation>S&amp;treifen</translation>
    </message>
    <message>
        <source>Too&amp;ls</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>zorv::convert::BaseConversionWindow</name>
    <message>
        <source>Base Conversions</source>
        <translation>Basisumrechnung</translation>
    </message>
    <message>
        <source>Word size</source>
        <translation>Wortbreite</translation>
    </message>
    <message>
        <source>&amp;Decimal:</source>
        <translation>&amp;Dezimal:</translation>
    </message>
    <message>
        <source>&amp;Hexadecimal:</source>
        <translation>&amp;Hexadezimal:</translation>
    </message>
    <message>
        <source>Oc&amp;tal:</source>
        <translation>Ok&amp;tal:</translation>
    </message>
    <message>
        <source>&amp;Binary:</source>
        <translation>&amp;Binär:</translation>
    </message>
    <message>
        <source>Decimal</source>
        <translation>Dezimal</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>Hexadezimal</translation>
    </message>
    <message>
        <source>Octal</source>
        <translation>Oktal</translation>
    </message>
    <message>
        <source>Binary</source>
        <translation>Binär</translation>
    </message>
    <message>
        <source>&amp;Word size:</source>
        <translation>&amp;Wortbreite:</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>zorv::convert::CurrencyWindow</name>
    <message>
        <source>&amp;Update Rates</source>
        <translation>Kurse a&amp;ktualisieren</translation>
    </message>
    <message>
        <source>Cancel &amp;Update</source>
        <translation>A&amp;ktualisierung abbrechen</translation>
    </message>
    <message>
        <source>Currency Conversions</source>
        <translation>Währungsumrechnung</translation>
    </message>
    <message>
        <source>Where to get rates</source>
        <translation>Woher die Kurse kommen</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>Convert from currency</source>
        <translation>Umrechnen von Währung</translation>
    </message>
    <message>
        <source>Convert to currency</source>
        <translation>Umrechnen in Währung</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Exchange rate</source>
        <translation>Wechselkurs</translation>
    </message>
    <message>
        <source>Decimals of the result</source>
        <translation>Nachkommastellen des Ergebnisses</translation>
    </message>
    <message>
        <source>Currency&apos;s own</source>
        <translation>Wie die Währung</translation>
    </message>
    <message>
        <source>&amp;Amount:</source>
        <translation>&amp;Betrag:</translation>
    </message>
    <message>
        <source>&amp;Decimals:</source>
        <translation>&amp;Nachkommastellen:</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>&amp;Von:</translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation>Na&amp;ch:</translation>
    </message>
    <message>
        <source>Re&amp;sult:</source>
        <translation>&amp;Ergebnis:</translation>
    </message>
    <message>
        <source>About the rates</source>
        <translation>Über die Kurse</translation>
    </message>
    <message>
        <source>Exchange rates</source>
        <translation>Wechselkurse</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Kurs</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Rat&amp;es (units per one of the base currency):</source>
        <translation>Ku&amp;rse (Einheiten je eine Einheit der Basiswährung):</translation>
    </message>
    <message>
        <source>Add/C&amp;hange...</source>
        <translation>&amp;Hinzufügen/Ändern...</translation>
    </message>
    <message>
        <source>Add or change a rate</source>
        <translation>Einen Kurs hinzufügen oder ändern</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete the currency</source>
        <translation>Die Währung löschen</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>Import rates from a file</source>
        <translation>Kurse aus einer Datei importieren</translation>
    </message>
    <message>
        <source>Update rates</source>
        <translation>Kurse aktualisieren</translation>
    </message>
    <message>
        <source>Status of the rates</source>
        <translation>Stand der Kurse</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Import Exchange Rates</source>
        <translation>Wechselkurse importieren</translation>
    </message>
    <message>
        <source>Exchange rates (*.xml *.csv *.txt);;All files (*)</source>
        <translation>Wechselkurse (*.xml *.csv *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Fetching the rates from %1 ...</source>
        <translation>Kurse werden von %1 geholt ...</translation>
    </message>
    <message>
        <source>Add or Change a Rate</source>
        <translation>Kurs hinzufügen oder ändern</translation>
    </message>
    <message>
        <source>Currency code</source>
        <translation>Währungscode</translation>
    </message>
    <message>
        <source>Currency name</source>
        <translation>Name der Währung</translation>
    </message>
    <message>
        <source>Co&amp;de:</source>
        <translation>&amp;Code:</translation>
    </message>
    <message>
        <source>&amp;Rate (per one %1):</source>
        <translation>&amp;Kurs (je eine %1):</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
</context>
<context>
    <name>zorv::convert::UnitConversionWindow</name>
    <message>
        <source>Value to convert</source>
        <translation>Umzurechnender Wert</translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation>&amp;Wert:</translation>
    </message>
    <message>
        <source>Convert from unit</source>
        <translation>Umrechnen von Einheit</translation>
    </message>
    <message>
        <source>Convert to unit</source>
        <translation>Umrechnen in Einheit</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>&amp;Von:</translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation>&amp;Nach:</translation>
    </message>
    <message>
        <source>T&amp;roy Measures</source>
        <translation>T&amp;roy-Maße</translation>
    </message>
    <message>
        <source>Troy measures</source>
        <translation>Troy-Maße</translation>
    </message>
    <message>
        <source>&amp;Imperial Measures</source>
        <translation>&amp;Imperiale Maße</translation>
    </message>
    <message>
        <source>Imperial measures</source>
        <translation>Imperiale Maße</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Re&amp;sult:</source>
        <translation>&amp;Ergebnis:</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Intra-System Conversions - %1</source>
        <translation>Umrechnung innerhalb eines Systems – %1</translation>
    </message>
</context>
<context>
    <name>zorv::expr::BuilderWindow</name>
    <message>
        <source>Construction Calculator (ft/in)</source>
        <translation>Baurechner (ft/in)</translation>
    </message>
    <message>
        <source>Expression</source>
        <translation>Ausdruck</translation>
    </message>
    <message>
        <source>&amp;Expression:</source>
        <translation>&amp;Ausdruck:</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Clear the expression</source>
        <translation>Den Ausdruck löschen</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>The result in other units</source>
        <translation>Das Ergebnis in anderen Einheiten</translation>
    </message>
    <message>
        <source>Variable %1</source>
        <translation>Variable %1</translation>
    </message>
    <message>
        <source>Clear &amp;Variables</source>
        <translation>&amp;Variablen löschen</translation>
    </message>
    <message>
        <source>Clear Variables</source>
        <translation>Variablen löschen</translation>
    </message>
    <message>
        <source>Stored formula</source>
        <translation>Gespeicherte Formel</translation>
    </message>
    <message>
        <source>&amp;Formula:</source>
        <translation>&amp;Formel:</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Insert formula</source>
        <translation>Formel einfügen</translation>
    </message>
    <message>
        <source>Put the selected formula into the expression</source>
        <translation>Die gewählte Formel in den Ausdruck einfügen</translation>
    </message>
    <message>
        <source>My F&amp;ormulas...</source>
        <translation>&amp;Meine Formeln...</translation>
    </message>
    <message>
        <source>My Formulas</source>
        <translation>Meine Formeln</translation>
    </message>
    <message>
        <source>Add, edit and delete the construction formulas</source>
        <translation>Die Bauformeln hinzufügen, bearbeiten und löschen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>In&amp;ches</source>
        <translation>Z&amp;oll</translation>
    </message>
    <message>
        <source>Plain numbers are inches</source>
        <translation>Zahlen ohne Einheit sind Zoll</translation>
    </message>
    <message>
        <source>Fee&amp;t</source>
        <translation>F&amp;uß</translation>
    </message>
    <message>
        <source>Plain numbers are feet</source>
        <translation>Zahlen ohne Einheit sind Fuß</translation>
    </message>
    <message>
        <source>Round inches to</source>
        <translation>Zoll runden auf</translation>
    </message>
    <message>
        <source>&amp;Round to:</source>
        <translation>&amp;Runden auf:</translation>
    </message>
    <message>
        <source>Feet-inch res&amp;ult</source>
        <translation>Ergebnis &amp;in Fuß und Zoll</translation>
    </message>
    <message>
        <source>Result line in feet and inches</source>
        <translation>Ergebniszeile in Fuß und Zoll</translation>
    </message>
    <message>
        <source>Off: the result line is a decimal in the plain-number unit</source>
        <translation>Aus: die Ergebniszeile ist eine Dezimalzahl in der Einheit der Zahlen ohne Einheit</translation>
    </message>
    <message>
        <source>Metric &amp;line</source>
        <translation>Metrische Zei&amp;le</translation>
    </message>
    <message>
        <source>Show the metric line</source>
        <translation>Die metrische Zeile zeigen</translation>
    </message>
    <message>
        <source>Area in s&amp;q yd</source>
        <translation>Fläche in &amp;Quadratyard</translation>
    </message>
    <message>
        <source>Show areas in square yards</source>
        <translation>Flächen in Quadratyard zeigen</translation>
    </message>
    <message>
        <source>Volume in cu y&amp;d</source>
        <translation>Volumen in Kubi&amp;kyard</translation>
    </message>
    <message>
        <source>Show volumes in cubic yards</source>
        <translation>Volumen in Kubikyard zeigen</translation>
    </message>
    <message>
        <source>Send to re&amp;adout</source>
        <translation>In die A&amp;nzeige</translation>
    </message>
    <message>
        <source>Send the result to the calculator readout</source>
        <translation>Das Ergebnis in die Anzeige des Rechners übernehmen</translation>
    </message>
    <message>
        <source>Confir&amp;m</source>
        <translation>&amp;Bestätigen</translation>
    </message>
    <message>
        <source>Confirm the interpreted expression</source>
        <translation>Den verstandenen Ausdruck bestätigen</translation>
    </message>
    <message>
        <source>Show the interpreted expression before it is evaluated</source>
        <translation>Den verstandenen Ausdruck vor der Auswertung zeigen</translation>
    </message>
    <message>
        <source>Plain numbers:</source>
        <translation>Zahlen ohne Einheit:</translation>
    </message>
    <message>
        <source>On To&amp;p</source>
        <translation>Im Vor&amp;dergrund</translation>
    </message>
    <message>
        <source>Keep on top</source>
        <translation>Im Vordergrund halten</translation>
    </message>
    <message>
        <source>Keep this window above other windows</source>
        <translation>Dieses Fenster über anderen Fenstern halten</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>Calculate (Enter)</source>
        <translation>Berechnen (Eingabe)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close (Esc)</source>
        <translation>Schließen (Esc)</translation>
    </message>
</context>
<context>
    <name>zorv::expr::ExpressionDialog</name>
    <message>
        <source>Expression Builder</source>
        <translation>Ausdruckseditor</translation>
    </message>
    <message>
        <source>&amp;Expression:</source>
        <translation>A&amp;usdruck:</translation>
    </message>
    <message>
        <source>P types pi, S squares (^2), R takes the square root (^%1)</source>
        <translation>P schreibt pi, S quadriert (^2), R zieht die Quadratwurzel (^%1)</translation>
    </message>
    <message>
        <source>Clear &amp;Variables</source>
        <translation>&amp;Variablen löschen</translation>
    </message>
    <message>
        <source>&amp;Formula:</source>
        <translation>&amp;Formel:</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Put the selected formula into the expression</source>
        <translation>Die gewählte Formel in den Ausdruck einfügen</translation>
    </message>
    <message>
        <source>&amp;My Formulas...</source>
        <translation>&amp;Meine Formeln...</translation>
    </message>
    <message>
        <source>Add, edit and delete stored formulas</source>
        <translation>Gespeicherte Formeln hinzufügen, bearbeiten und löschen</translation>
    </message>
    <message>
        <source>Confirm Expression</source>
        <translation>Ausdruck bestätigen</translation>
    </message>
    <message>
        <source>Show the interpreted expression before it is evaluated</source>
        <translation>Den verstandenen Ausdruck vor der Auswertung zeigen</translation>
    </message>
    <message>
        <source>On &amp;Top</source>
        <translation>Vorder&amp;grund</translation>
    </message>
    <message>
        <source>Keep this window above other windows</source>
        <translation>Dieses Fenster über anderen Fenstern halten</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Variable %1</source>
        <translation>Variable %1</translation>
    </message>
    <message>
        <source>Stored formula</source>
        <translation>Gespeicherte Formel</translation>
    </message>
    <message>
        <source>Insert formula</source>
        <translation>Formel einfügen</translation>
    </message>
    <message>
        <source>My Formulas</source>
        <translation>Meine Formeln</translation>
    </message>
</context>
<context>
    <name>zorv::expr::MyFormulasWindow</name>
    <message>
        <source>My Formulas</source>
        <translation>Meine Formeln</translation>
    </message>
    <message>
        <source>Stored &amp;formulas:</source>
        <translation>Gespeicherte &amp;Formeln:</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>F&amp;ormula:</source>
        <translation>F&amp;ormel:</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Schl&amp;ießen</translation>
    </message>
</context>
<context>
    <name>zorv::finance::NumInputDialog</name>
    <message>
        <source>Numeric Input</source>
        <translation>Zahleneingabe</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>zorv::journal::CorrectEntryDialog</name>
    <message>
        <source>+  add</source>
        <translation>+  addieren</translation>
    </message>
    <message>
        <source>-  subtract</source>
        <translation>-  subtrahieren</translation>
    </message>
    <message>
        <source>X  multiply</source>
        <translation>X  multiplizieren</translation>
    </message>
    <message>
        <source>/  divide</source>
        <translation>/  dividieren</translation>
    </message>
    <message>
        <source>=  total</source>
        <translation>=  Summe</translation>
    </message>
    <message>
        <source>Correct Entry</source>
        <translation>Eintrag korrigieren</translation>
    </message>
    <message>
        <source> (void)</source>
        <translation> (ungültig)</translation>
    </message>
    <message>
        <source>Entry %1 of %2 in the last calculation:</source>
        <translation>Eintrag %1 von %2 der letzten Rechnung:</translation>
    </message>
    <message>
        <source>Entry as printed</source>
        <translation>Eintrag wie gedruckt</translation>
    </message>
    <message>
        <source>New amount</source>
        <translation>Neuer Betrag</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Rechenzeichen</translation>
    </message>
    <message>
        <source>The entry with the total keeps its =</source>
        <translation>Der Eintrag mit der Summe behält sein =</translation>
    </message>
    <message>
        <source>&amp;Void this entry</source>
        <translation>Eintrag &amp;ungültig machen</translation>
    </message>
    <message>
        <source>Void this entry</source>
        <translation>Eintrag ungültig machen</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>A&amp;mount:</source>
        <translation>&amp;Betrag:</translation>
    </message>
    <message>
        <source>O&amp;perator:</source>
        <translation>&amp;Rechenzeichen:</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>An&amp;wenden</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The amount is not a number.</source>
        <translation>Der Betrag ist keine Zahl.</translation>
    </message>
</context>
<context>
    <name>zorv::journal::TapeHistoryWindow</name>
    <message>
        <source>Tape History</source>
        <translation>Frühere Streifen</translation>
    </message>
    <message>
        <source>Search all past tapes</source>
        <translation>Alle früheren Streifen durchsuchen</translation>
    </message>
    <message>
        <source>Text on any past tape</source>
        <translation>Text auf einem früheren Streifen</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <source>Past tapes</source>
        <translation>Frühere Streifen</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>First line</source>
        <translation>Erste Zeile</translation>
    </message>
    <message>
        <source>Last line</source>
        <translation>Letzte Zeile</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>The selected tape, read-only</source>
        <translation>Der gewählte Streifen, nur zum Lesen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the selected text, or the whole tape</source>
        <translation>Den markierten Text oder den ganzen Streifen kopieren</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Restore as the current tape</source>
        <translation>Als aktuellen Streifen wiederherstellen</translation>
    </message>
    <message>
        <source>E&amp;xport...</source>
        <translation>E&amp;xportieren...</translation>
    </message>
    <message>
        <source>Export the tape</source>
        <translation>Den Streifen exportieren</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete the tape from the history</source>
        <translation>Den Streifen aus den früheren Streifen löschen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message numerus="yes">
        <source>%n past tape(s)</source>
        <translation>
            <numerusform>%n früherer Streifen</numerusform>
            <numerusform>%n frühere Streifen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 matching line(s) on %2 tape(s)</source>
        <translation>%1 passende Zeile(n) auf %2 Streifen</translation>
    </message>
    <message>
        <source>This tape could not be read: %1</source>
        <translation>Dieser Streifen kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Export Tape</source>
        <translation>Streifen exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;Tab-separated files (*.tsv);;Text files (*.txt)</source>
        <translation>CSV-Dateien (*.csv);;Tabulatorgetrennte Dateien (*.tsv);;Textdateien (*.txt)</translation>
    </message>
</context>
<context>
    <name>zorv::notes::AlarmEditDialog</name>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Sound file, file, address or program</source>
        <translation>Tondatei, Datei, Adresse oder Programm</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Choose the file</source>
        <translation>Datei auswählen</translation>
    </message>
    <message>
        <source>Program arguments, one a line</source>
        <translation>Programmargumente, eines pro Zeile</translation>
    </message>
    <message>
        <source>&amp;Enabled</source>
        <translation>&amp;Aktiv</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>&amp;Date and time:</source>
        <translation>Da&amp;tum und Uhrzeit:</translation>
    </message>
    <message>
        <source>&amp;Repeat:</source>
        <translation>&amp;Wiederholung:</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Nachricht:</translation>
    </message>
    <message>
        <source>Ac&amp;tion:</source>
        <translation>Akt&amp;ion:</translation>
    </message>
    <message>
        <source>&amp;File:</source>
        <translation>Dat&amp;ei:</translation>
    </message>
    <message>
        <source>Ar&amp;guments:</source>
        <translation>Ar&amp;gumente:</translation>
    </message>
    <message>
        <source>&amp;Program:</source>
        <translation>&amp;Programm:</translation>
    </message>
    <message>
        <source>&amp;File or address:</source>
        <translation>Dat&amp;ei oder Adresse:</translation>
    </message>
    <message>
        <source>&amp;File (WAV, OGG):</source>
        <translation>Dat&amp;ei (WAV, OGG):</translation>
    </message>
    <message>
        <source>Sounds (*.wav *.ogg);;All files (*)</source>
        <translation>Töne (*.wav *.ogg);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Choose a File</source>
        <translation>Datei auswählen</translation>
    </message>
    <message>
        <source>Name the file, address or program for the alarm&apos;s action.</source>
        <translation>Geben Sie die Datei, Adresse oder das Programm für die Aktion des Alarms an.</translation>
    </message>
    <message>
        <source>Keep the alarm anyway?</source>
        <translation>Den Alarm trotzdem behalten?</translation>
    </message>
</context>
<context>
    <name>zorv::notes::AlarmTimer</name>
    <message>
        <source>Alarms</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>(%1 times)</source>
        <translation>(%1-mal)</translation>
    </message>
    <message>
        <source>Alarms that fell due while the calculator was closed:</source>
        <translation>Alarme, die fällig wurden, während der Rechner geschlossen war:</translation>
    </message>
    <message>
        <source>Missed Alarms</source>
        <translation>Verpasste Alarme</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
</context>
<context>
    <name>zorv::notes::AlarmsWindow</name>
    <message>
        <source>Set Alarms</source>
        <translation>Alarme einstellen</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Next due</source>
        <translation>Nächste Fälligkeit</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>Add an alarm</source>
        <translation>Einen Alarm hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>Edit the alarm</source>
        <translation>Den Alarm bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete the alarm</source>
        <translation>Den Alarm löschen</translation>
    </message>
    <message>
        <source>Alarms &amp;on</source>
        <translation>Alarme &amp;ein</translation>
    </message>
    <message>
        <source>Alarms on</source>
        <translation>Alarme ein</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>disabled</source>
        <translation>inaktiv</translation>
    </message>
    <message>
        <source>past</source>
        <translation>vergangen</translation>
    </message>
    <message>
        <source>The alarms were not saved: %1</source>
        <translation>Die Alarme wurden nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>Add Alarm</source>
        <translation>Alarm hinzufügen</translation>
    </message>
    <message>
        <source>Edit Alarm</source>
        <translation>Alarm bearbeiten</translation>
    </message>
</context>
<context>
    <name>zorv::notes::CalendarWindow</name>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>&amp;Heute</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>&amp;Previous Note</source>
        <translation>&amp;Vorherige Notiz</translation>
    </message>
    <message>
        <source>Previous day with a note</source>
        <translation>Voriger Tag mit einer Notiz</translation>
    </message>
    <message>
        <source>&amp;Next Note</source>
        <translation>&amp;Nächste Notiz</translation>
    </message>
    <message>
        <source>Next day with a note</source>
        <translation>Nächster Tag mit einer Notiz</translation>
    </message>
    <message>
        <source>Go to &amp;date:</source>
        <translation>Zu &amp;Datum:</translation>
    </message>
    <message>
        <source>Date to go to</source>
        <translation>Anzuzeigendes Datum</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>&amp;Gehe zu</translation>
    </message>
    <message>
        <source>Go to the date</source>
        <translation>Zum Datum gehen</translation>
    </message>
    <message>
        <source>Note for the selected day</source>
        <translation>Notiz zum gewählten Tag</translation>
    </message>
    <message>
        <source>&amp;Search notes:</source>
        <translation>Notizen d&amp;urchsuchen:</translation>
    </message>
    <message>
        <source>Text to search for in the notes</source>
        <translation>In den Notizen zu suchender Text</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Find in the notes</source>
        <translation>In den Notizen suchen</translation>
    </message>
    <message>
        <source>Days whose note has the text</source>
        <translation>Tage, deren Notiz den Text enthält</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>Close the calendar</source>
        <translation>Den Kalender schließen</translation>
    </message>
    <message>
        <source>The note was not saved: %1</source>
        <translation>Die Notiz wurde nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>%1 is outside the calendar&apos;s years %2 to %3.</source>
        <translation>%1 liegt außerhalb der Kalenderjahre %2 bis %3.</translation>
    </message>
    <message>
        <source>N&amp;ote for %1:</source>
        <translation>N&amp;otiz für %1:</translation>
    </message>
    <message>
        <source>No later day has a note.</source>
        <translation>Kein späterer Tag hat eine Notiz.</translation>
    </message>
    <message>
        <source>No earlier day has a note.</source>
        <translation>Kein früherer Tag hat eine Notiz.</translation>
    </message>
    <message>
        <source>No note has that text.</source>
        <translation>Keine Notiz enthält diesen Text.</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) found.</source>
        <translation>
            <numerusform>%n Tag gefunden.</numerusform>
            <numerusform>%n Tage gefunden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zorv::notes::ReminderDialog</name>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Due %1</source>
        <translation>Fällig %1</translation>
    </message>
    <message>
        <source>(snoozed)</source>
        <translation>(verschoben)</translation>
    </message>
    <message>
        <source>Reminder text</source>
        <translation>Erinnerungstext</translation>
    </message>
    <message>
        <source>Snooze &amp;5 min</source>
        <translation>In &amp;5 Minuten erneut</translation>
    </message>
    <message>
        <source>Snooze &amp;10 min</source>
        <translation>In &amp;10 Minuten erneut</translation>
    </message>
    <message>
        <source>Snooze &amp;30 min</source>
        <translation>In &amp;30 Minuten erneut</translation>
    </message>
    <message>
        <source>Remind again in %1 minutes</source>
        <translation>In %1 Minuten erneut erinnern</translation>
    </message>
    <message>
        <source>&amp;Dismiss</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Dismiss the reminder</source>
        <translation>Die Erinnerung verwerfen</translation>
    </message>
</context>
<context>
    <name>zorv::notes::ScratchPadWindow</name>
    <message>
        <source>Scratch pad text</source>
        <translation>Text des Notizblocks</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alles &amp;markieren</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Number to &amp;Readout</source>
        <translation>&amp;Zahl in die Anzeige</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>F&amp;ormat</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Schrift...</translation>
    </message>
    <message>
        <source>The scratch pad has changes that are not saved. Save them?</source>
        <translation>Der Notizblock hat ungespeicherte Änderungen. Speichern?</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Save Scratch Pad</source>
        <translation>Notizblock speichern</translation>
    </message>
    <message>
        <source>Open into Scratch Pad</source>
        <translation>In den Notizblock öffnen</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Scratch Pad - %1[*]</source>
        <translation>Notizblock – %1[*]</translation>
    </message>
    <message>
        <source>Scratch Pad</source>
        <translation>Notizblock</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2</source>
        <translation>%1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>%1 was not saved: %2</source>
        <translation>%1 wurde nicht gespeichert: %2</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not found.</source>
        <translation>„%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
    <message>
        <source>No number at the cursor.</source>
        <translation>Keine Zahl beim Cursor.</translation>
    </message>
    <message>
        <source>%1 is on the readout.</source>
        <translation>%1 steht in der Anzeige.</translation>
    </message>
    <message>
        <source>Scratch Pad Font</source>
        <translation>Schrift des Notizblocks</translation>
    </message>
</context>
<context>
    <name>zorv::shell::PropertiesWindow</name>
    <message>
        <source>Tape Font</source>
        <translation>Schrift des Streifens</translation>
    </message>
    <message>
        <source>Too pale to read on the tape&apos;s paper</source>
        <translation>Zu blass, um auf dem Papier des Streifens lesbar zu sein</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Tape Size</source>
        <translation>Streifengröße</translation>
    </message>
    <message>
        <source>Tape size in percent</source>
        <translation>Streifengröße in Prozent</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Start Up</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Start On Top</source>
        <translation>Im Vordergrund starten</translation>
    </message>
    <message>
        <source>Hide Toolbar</source>
        <translation>Symbolleiste aus</translation>
    </message>
    <message>
        <source>Default Modes</source>
        <translation>Standardmodi</translation>
    </message>
    <message>
        <source>Adding Machine</source>
        <translation>Addiermaschine</translation>
    </message>
    <message>
        <source>RPN Mode</source>
        <translation>UPN-Modus</translation>
    </message>
    <message>
        <source>Carry Result</source>
        <translation>Ergebnis übernehmen</translation>
    </message>
    <message>
        <source>Decimal Places</source>
        <translation>Nachkommastellen</translation>
    </message>
    <message>
        <source>Decimal places</source>
        <translation>Nachkommastellen</translation>
    </message>
    <message>
        <source>&amp;Publish To</source>
        <translation>&amp;Veröffentlichen mit</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Hide &quot;Clear&quot;</source>
        <translation>„Löschen“ ausblenden</translation>
    </message>
    <message>
        <source>Calendar First and Last Years</source>
        <translation>Erstes und letztes Jahr des Kalenders</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Erstes</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Letztes</translation>
    </message>
    <message>
        <source>Start Minimized</source>
        <translation>Minimiert starten</translation>
    </message>
    <message>
        <source>Calculator On Top</source>
        <translation>Rechner im Vordergrund</translation>
    </message>
    <message>
        <source>Save Memory</source>
        <translation>Speicher sichern</translation>
    </message>
    <message>
        <source>Exit Button Minimizes</source>
        <translation>Beenden-Knopf minimiert</translation>
    </message>
    <message>
        <source>Financial Mode</source>
        <translation>Finanzmodus</translation>
    </message>
    <message>
        <source>Show Percentages</source>
        <translation>Prozentanteile anzeigen</translation>
    </message>
    <message>
        <source>Format Numbers</source>
        <translation>Zahlen formatieren</translation>
    </message>
    <message>
        <source>% for Number</source>
        <translation>% für Zahl</translation>
    </message>
    <message>
        <source>Auto-Decimal</source>
        <translation>Auto-Dezimal</translation>
    </message>
    <message>
        <source>Tape Record</source>
        <translation>Streifenaufzeichnung</translation>
    </message>
    <message>
        <source>Keep the tape between runs</source>
        <translation>Streifen zwischen Sitzungen behalten</translation>
    </message>
    <message>
        <source>Size of the tape history</source>
        <translation>Größe der früheren Streifen</translation>
    </message>
    <message>
        <source>Old tapes beyond this size are removed, oldest first.</source>
        <translation>Frühere Streifen über dieser Größe werden entfernt, die ältesten zuerst.</translation>
    </message>
    <message>
        <source>Tax rate in percent</source>
        <translation>Steuersatz in Prozent</translation>
    </message>
    <message>
        <source>History:</source>
        <translation>Verlauf:</translation>
    </message>
    <message>
        <source>Tax %:</source>
        <translation>Steuer %:</translation>
    </message>
</context>
<context>
    <name>zorv::timedate::DateField</name>
    <message>
        <source>Type the date as YYYY-MM-DD or in your usual short form; Alt+Down opens the calendar</source>
        <translation>Datum als JJJJ-MM-TT oder in Ihrer gewohnten Kurzform eingeben; Alt+Unten öffnet den Kalender</translation>
    </message>
    <message>
        <source>: calendar</source>
        <translation>: Kalender</translation>
    </message>
    <message>
        <source>Pick from a calendar (Alt+Down)</source>
        <translation>Aus einem Kalender wählen (Alt+Unten)</translation>
    </message>
</context>
<context>
    <name>zorv::timedate::TimeDateWindow</name>
    <message>
        <source>Time/Date Calculations</source>
        <translation>Zeit- und Datumsberechnungen</translation>
    </message>
    <message>
        <source>Calculations</source>
        <translation>Berechnungen</translation>
    </message>
    <message>
        <source>&amp;Dates</source>
        <translation>&amp;Zeitraum</translation>
    </message>
    <message>
        <source>&amp;Add/Subtract</source>
        <translation>&amp;Addieren/Subtrahieren</translation>
    </message>
    <message>
        <source>Date I&amp;nfo</source>
        <translation>Datums&amp;info</translation>
    </message>
    <message>
        <source>&amp;Times</source>
        <translation>&amp;Uhrzeiten</translation>
    </message>
    <message>
        <source>&amp;Billing</source>
        <translation>A&amp;brechnung</translation>
    </message>
    <message>
        <source>To &amp;Readout and Tape</source>
        <translation>In Anzeige und St&amp;reifen</translation>
    </message>
    <message>
        <source>Send the result to the readout and the tape</source>
        <translation>Das Ergebnis in die Anzeige und auf den Streifen übernehmen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>From date</source>
        <translation>Anfangsdatum</translation>
    </message>
    <message>
        <source>To date</source>
        <translation>Enddatum</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>&amp;Von:</translation>
    </message>
    <message>
        <source>T&amp;o:</source>
        <translation>Bi&amp;s:</translation>
    </message>
    <message>
        <source>Include the &amp;end date in the count</source>
        <translation>&amp;Enddatum mitzählen</translation>
    </message>
    <message>
        <source>Include the end date</source>
        <translation>Enddatum mitzählen</translation>
    </message>
    <message>
        <source>End date rule</source>
        <translation>Regel für das Enddatum</translation>
    </message>
    <message>
        <source>Send da&amp;ys</source>
        <translation>&amp;Tage übernehmen</translation>
    </message>
    <message>
        <source>Send the days between</source>
        <translation>Die Tage dazwischen übernehmen</translation>
    </message>
    <message>
        <source>Send &amp;working days</source>
        <translation>&amp;Werktage übernehmen</translation>
    </message>
    <message>
        <source>Send the working days</source>
        <translation>Die Werktage übernehmen</translation>
    </message>
    <message>
        <source>Start date</source>
        <translation>Startdatum</translation>
    </message>
    <message>
        <source>&amp;Start date:</source>
        <translation>&amp;Startdatum:</translation>
    </message>
    <message>
        <source>Amount, negative to go back</source>
        <translation>Anzahl, negativ für zurück</translation>
    </message>
    <message>
        <source>A&amp;mount (negative goes back):</source>
        <translation>A&amp;nzahl (negativ geht zurück):</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>working days</source>
        <translation>Werktage</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>&amp;Unit:</source>
        <translation>&amp;Einheit:</translation>
    </message>
    <message>
        <source>Months and years stop at the month&apos;s last day: 31 January + 1 month is the last day of February.</source>
        <translation>Monate und Jahre enden am letzten Tag des Monats: 31. Januar + 1 Monat ist der letzte Tag im Februar.</translation>
    </message>
    <message>
        <source>Calendar date</source>
        <translation>Kalenderdatum</translation>
    </message>
    <message>
        <source>&amp;Calendar date:</source>
        <translation>&amp;Kalenderdatum:</translation>
    </message>
    <message>
        <source>Add two times</source>
        <translation>Zwei Zeiten addieren</translation>
    </message>
    <message>
        <source>Subtract a time</source>
        <translation>Eine Zeit subtrahieren</translation>
    </message>
    <message>
        <source>Timesheet: sum a column</source>
        <translation>Stundenzettel: eine Spalte summieren</translation>
    </message>
    <message>
        <source>h:mm:ss to decimal hours</source>
        <translation>h:mm:ss in Dezimalstunden</translation>
    </message>
    <message>
        <source>Decimal hours to h:mm:ss</source>
        <translation>Dezimalstunden in h:mm:ss</translation>
    </message>
    <message>
        <source>Time between two clock times</source>
        <translation>Zeit zwischen zwei Uhrzeiten</translation>
    </message>
    <message>
        <source>Time calculation</source>
        <translation>Zeitberechnung</translation>
    </message>
    <message>
        <source>Calcu&amp;lation:</source>
        <translation>Berech&amp;nung:</translation>
    </message>
    <message>
        <source>h:mm, h:mm:ss or decimal hours</source>
        <translation>h:mm, h:mm:ss oder Dezimalstunden</translation>
    </message>
    <message>
        <source>First time</source>
        <translation>Erste Zeit</translation>
    </message>
    <message>
        <source>Second time</source>
        <translation>Zweite Zeit</translation>
    </message>
    <message>
        <source>Time &amp;1:</source>
        <translation>Zeit &amp;1:</translation>
    </message>
    <message>
        <source>Time &amp;2:</source>
        <translation>Zeit &amp;2:</translation>
    </message>
    <message>
        <source>Timesheet entries, one per line</source>
        <translation>Stundenzettel-Einträge, einer pro Zeile</translation>
    </message>
    <message>
        <source>1:30
0:45
2.25</source>
        <translation>1:30
0:45
2.25</translation>
    </message>
    <message>
        <source>Entries, one &amp;per line (a minus sign subtracts):</source>
        <translation>Einträge, einer &amp;pro Zeile (ein Minuszeichen subtrahiert):</translation>
    </message>
    <message>
        <source>Time to convert</source>
        <translation>Umzurechnende Zeit</translation>
    </message>
    <message>
        <source>; empty: the readout</source>
        <translation>; leer: die Anzeige</translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation>&amp;Wert:</translation>
    </message>
    <message>
        <source>From clock time</source>
        <translation>Von Uhrzeit</translation>
    </message>
    <message>
        <source>hh:mm, 0:00 to 23:59</source>
        <translation>hh:mm, 0:00 bis 23:59</translation>
    </message>
    <message>
        <source>To clock time</source>
        <translation>Bis Uhrzeit</translation>
    </message>
    <message>
        <source>hh:mm; earlier means the next day</source>
        <translation>hh:mm; früher bedeutet am nächsten Tag</translation>
    </message>
    <message>
        <source>From clock time (&amp;hh:mm):</source>
        <translation>Von Uhrzeit (&amp;hh:mm):</translation>
    </message>
    <message>
        <source>To cloc&amp;k time:</source>
        <translation>Bis Uhrzei&amp;t:</translation>
    </message>
    <message>
        <source>Time to bill</source>
        <translation>Abzurechnende Zeit</translation>
    </message>
    <message>
        <source>h:mm or decimal hours; empty bills the readout</source>
        <translation>h:mm oder Dezimalstunden; leer rechnet die Anzeige ab</translation>
    </message>
    <message>
        <source>Time to b&amp;ill:</source>
        <translation>Abrechnungs&amp;dauer:</translation>
    </message>
    <message>
        <source>Billing rate</source>
        <translation>Stundensatz</translation>
    </message>
    <message>
        <source>Chan&amp;ge Rate...</source>
        <translation>&amp;Satz ändern...</translation>
    </message>
    <message>
        <source>Change the billing rate</source>
        <translation>Den Stundensatz ändern</translation>
    </message>
    <message>
        <source>Rate:</source>
        <translation>Satz:</translation>
    </message>
    <message>
        <source>Project timer</source>
        <translation>Projektzeit</translation>
    </message>
    <message>
        <source>Project timer state</source>
        <translation>Zustand der Projektzeit</translation>
    </message>
    <message>
        <source>1 entry</source>
        <translation>1 Eintrag</translation>
    </message>
    <message>
        <source>%1 entries</source>
        <translation>%1 Einträge</translation>
    </message>
    <message>
        <source>Total %1 = %2 h, from %3</source>
        <translation>Summe %1 = %2 h, aus %3</translation>
    </message>
    <message>
        <source> per hour</source>
        <translation> pro Stunde</translation>
    </message>
    <message>
        <source>Running since %1: %2</source>
        <translation>Läuft seit %1: %2</translation>
    </message>
    <message>
        <source>Stop Pro&amp;ject Timer</source>
        <translation>&amp;Projektzeit stoppen</translation>
    </message>
    <message>
        <source>Stop the project timer and bill its time</source>
        <translation>Die Projektzeit anhalten und abrechnen</translation>
    </message>
    <message>
        <source>Stopped. Starting it keeps the start in the settings, so it runs on while the calculator is closed.</source>
        <translation>Angehalten. Beim Starten wird der Beginn in den Einstellungen gespeichert, sodass sie weiterläuft, während der Rechner geschlossen ist.</translation>
    </message>
    <message>
        <source>Start Pro&amp;ject Timer</source>
        <translation>&amp;Projektzeit starten</translation>
    </message>
    <message>
        <source>Start the project timer</source>
        <translation>Die Projektzeit starten</translation>
    </message>
</context>
<context>
    <name>zorv::ui</name>
    <message>
        <source>&amp;Future Value of Annuity</source>
        <translation>&amp;Endwert einer Annuität</translation>
    </message>
    <message>
        <source>Present &amp;Value of Annuity</source>
        <translation>&amp;Barwert einer Annuität</translation>
    </message>
    <message>
        <source>&amp;Annuity Payments (i.e. Mortgage)</source>
        <translation>&amp;Annuitätenzahlung (z. B. Hypothek)</translation>
    </message>
    <message>
        <source>Ann&amp;uity Principle Payment (i.e. Mortgage)</source>
        <translation>&amp;Tilgungsanteil der Annuität (z. B. Hypothek)</translation>
    </message>
    <message>
        <source>&amp;Interest Payments (Cost of Loan)</source>
        <translation>&amp;Zinszahlungen (Kreditkosten)</translation>
    </message>
    <message>
        <source>&amp;Number of Payments to Pay Off Loan</source>
        <translation>Anzahl der &amp;Raten bis zur Tilgung</translation>
    </message>
    <message>
        <source>In&amp;terest Rate per Period</source>
        <translation>Zinssatz &amp;pro Periode</translation>
    </message>
    <message>
        <source>Internal &amp;Rate of Return</source>
        <translation>&amp;Interner Zinsfuß</translation>
    </message>
    <message>
        <source>&amp;Modified Internal Rate of Return</source>
        <translation>&amp;Modifizierter interner Zinsfuß</translation>
    </message>
    <message>
        <source>Net &amp;Present Value of Investment</source>
        <translation>&amp;Kapitalwert der Investition</translation>
    </message>
    <message>
        <source>Straight &amp;Line Depreciation</source>
        <translation>&amp;Lineare Abschreibung</translation>
    </message>
    <message>
        <source>Sum-of-&amp;Years&apos; Digits Depreciation</source>
        <translation>&amp;Digitale Abschreibung</translation>
    </message>
    <message>
        <source>&amp;Double-Declining Balance Depreciation</source>
        <translation>&amp;Geometrisch-degressive Abschreibung</translation>
    </message>
    <message>
        <source>Interest for &amp;X days</source>
        <translation>Zinsen für &amp;x Tage</translation>
    </message>
    <message>
        <source>&amp;Calculator (No Conversions)</source>
        <translation>&amp;Rechner (keine Umrechnung)</translation>
    </message>
    <message>
        <source>&amp;Metric to English Conversions</source>
        <translation>&amp;Metrisch nach englisch</translation>
    </message>
    <message>
        <source>&amp;English to Metric Conversions</source>
        <translation>&amp;Englisch nach metrisch</translation>
    </message>
    <message>
        <source>&amp;Area/Volume Metric to English Conversions</source>
        <translation>&amp;Fläche/Volumen metrisch nach englisch</translation>
    </message>
    <message>
        <source>Area/&amp;Volume English to Metric Conversions</source>
        <translation>Fläche/&amp;Volumen englisch nach metrisch</translation>
    </message>
    <message>
        <source>Tem&amp;perature Conversions</source>
        <translation>Tem&amp;peratur</translation>
    </message>
    <message>
        <source>Time Conversions - &amp;Week</source>
        <translation>Zeit – &amp;Woche</translation>
    </message>
    <message>
        <source>Time Conversions - &amp;Day</source>
        <translation>Zeit – &amp;Tag</translation>
    </message>
    <message>
        <source>Time Conversions - &amp;Hour</source>
        <translation>Zeit – &amp;Stunde</translation>
    </message>
    <message>
        <source>Time Conversions - Mi&amp;nutes</source>
        <translation>Zeit – Mi&amp;nuten</translation>
    </message>
    <message>
        <source>&amp;Imperial English Measures</source>
        <translation>&amp;Imperiale englische Maße</translation>
    </message>
    <message>
        <source>&amp;Troy English Measures</source>
        <translation>Tro&amp;y-Gewichte</translation>
    </message>
    <message>
        <source>Intra-&amp;System</source>
        <translation>Inner&amp;halb eines Systems</translation>
    </message>
    <message>
        <source>&amp;Metric</source>
        <translation>&amp;Metrisch</translation>
    </message>
    <message>
        <source>English &amp;Weight</source>
        <translation>Englische &amp;Gewichte</translation>
    </message>
    <message>
        <source>English &amp;Square</source>
        <translation>Englische &amp;Flächenmaße</translation>
    </message>
    <message>
        <source>English &amp;Cubic</source>
        <translation>Englische &amp;Raummaße</translation>
    </message>
    <message>
        <source>English &amp;Length</source>
        <translation>Englische &amp;Längenmaße</translation>
    </message>
    <message>
        <source>English C&amp;apacity</source>
        <translation>Englische &amp;Hohlmaße</translation>
    </message>
    <message>
        <source>C&amp;omputer</source>
        <translation>&amp;Computer</translation>
    </message>
    <message>
        <source>C&amp;urrency Conversions...</source>
        <translation>Währungen &amp;umrechnen...</translation>
    </message>
    <message>
        <source>&amp;Base Conversions...</source>
        <translation>&amp;Basisumrechnung...</translation>
    </message>
    <message>
        <source>&amp;Load Saved Tape...</source>
        <translation>Gespeicherten Streifen &amp;laden...</translation>
    </message>
    <message>
        <source>&amp;Save Tape to File...</source>
        <translation>Streifen in Datei &amp;speichern...</translation>
    </message>
    <message>
        <source>&amp;Print Tape...</source>
        <translation>Streifen &amp;drucken...</translation>
    </message>
    <message>
        <source>P&amp;ublish Tape</source>
        <translation>Streifen &amp;veröffentlichen</translation>
    </message>
    <message>
        <source>&amp;Backup Data...</source>
        <translation>Daten si&amp;chern...</translation>
    </message>
    <message>
        <source>&amp;Restore Data...</source>
        <translation>Daten &amp;wiederherstellen...</translation>
    </message>
    <message>
        <source>Properti&amp;es</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Minimieren</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Copy Readout</source>
        <translation>Anzeige &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste to Readout</source>
        <translation>In Anzeige &amp;einfügen</translation>
    </message>
    <message>
        <source>Insert into Pre&amp;vious Program</source>
        <translation>In &amp;vorheriges Programm einfügen</translation>
    </message>
    <message>
        <source>&amp;Add	+</source>
        <translation>&amp;Addieren	+</translation>
    </message>
    <message>
        <source>&amp;Subtract	-</source>
        <translation>&amp;Subtrahieren	-</translation>
    </message>
    <message>
        <source>&amp;Multiply	X</source>
        <translation>&amp;Multiplizieren	X</translation>
    </message>
    <message>
        <source>&amp;Divide	/</source>
        <translation>&amp;Dividieren	/</translation>
    </message>
    <message>
        <source>&amp;Total	Enter</source>
        <translation>&amp;Gesamtsumme	Enter</translation>
    </message>
    <message>
        <source>&amp;Percent	%</source>
        <translation>&amp;Prozent	%</translation>
    </message>
    <message>
        <source>S&amp;quare	S</source>
        <translation>&amp;Quadrat	S</translation>
    </message>
    <message>
        <source>Square &amp;Root	R</source>
        <translation>&amp;Wurzel	R</translation>
    </message>
    <message>
        <source>Change S&amp;ign</source>
        <translation>&amp;Vorzeichen wechseln</translation>
    </message>
    <message>
        <source>Clear &amp;Entry</source>
        <translation>&amp;Eingabe löschen</translation>
    </message>
    <message>
        <source>&amp;Clear	C</source>
        <translation>A&amp;lles löschen	C</translation>
    </message>
    <message>
        <source>Memory &amp;Store</source>
        <translation>Im Speicher a&amp;blegen</translation>
    </message>
    <message>
        <source>Memory &amp;Recall</source>
        <translation>Speicher &amp;abrufen</translation>
    </message>
    <message>
        <source>Memory &amp;Add	M</source>
        <translation>Zum Speicher a&amp;ddieren	M</translation>
    </message>
    <message>
        <source>Memory S&amp;ubtract	m</source>
        <translation>Vom Speicher s&amp;ubtrahieren	m</translation>
    </message>
    <message>
        <source>Memory &amp;Clear</source>
        <translation>Speicher &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Standard Calculator</source>
        <translation>&amp;Standardrechner</translation>
    </message>
    <message>
        <source>&amp;Financial Calculator</source>
        <translation>&amp;Finanzrechner</translation>
    </message>
    <message>
        <source>Auto-&amp;Decimal Mode</source>
        <translation>Auto-&amp;Dezimalmodus</translation>
    </message>
    <message>
        <source>&amp;Adding Machine Mode</source>
        <translation>&amp;Addiermaschinenmodus</translation>
    </message>
    <message>
        <source>&amp;RPN Mode</source>
        <translation>&amp;UPN-Modus</translation>
    </message>
    <message>
        <source>Show &amp;Percentages</source>
        <translation>&amp;Prozentanteile anzeigen</translation>
    </message>
    <message>
        <source>% for &amp;Number</source>
        <translation>% für &amp;Zahl</translation>
    </message>
    <message>
        <source>&amp;Magic Number</source>
        <translation>&amp;Magische Zahl</translation>
    </message>
    <message>
        <source>Repeat S&amp;ubtraction</source>
        <translation>Subtraktion &amp;wiederholen</translation>
    </message>
    <message>
        <source>&amp;Carry Result</source>
        <translation>&amp;Ergebnis übernehmen</translation>
    </message>
    <message>
        <source>F&amp;ormat Numbers</source>
        <translation>Zahlen f&amp;ormatieren</translation>
    </message>
    <message>
        <source>Number &amp;Tape Items</source>
        <translation>Streifeneinträge &amp;nummerieren</translation>
    </message>
    <message>
        <source>&amp;View RPN Stack</source>
        <translation>UPN-S&amp;tapel anzeigen</translation>
    </message>
    <message>
        <source>&amp;Sine</source>
        <translation>&amp;Sinus</translation>
    </message>
    <message>
        <source>&amp;Cosine</source>
        <translation>&amp;Kosinus</translation>
    </message>
    <message>
        <source>&amp;Tangent</source>
        <translation>&amp;Tangens</translation>
    </message>
    <message>
        <source>&amp;Arctangent</source>
        <translation>&amp;Arkustangens</translation>
    </message>
    <message>
        <source>Seca&amp;nt</source>
        <translation>Seka&amp;ns</translation>
    </message>
    <message>
        <source>C&amp;osecant</source>
        <translation>K&amp;osekans</translation>
    </message>
    <message>
        <source>Cotan&amp;gent</source>
        <translation>Kotan&amp;gens</translation>
    </message>
    <message>
        <source>In&amp;verse</source>
        <translation>In&amp;vers</translation>
    </message>
    <message>
        <source>Inverse &amp;Sine</source>
        <translation>Arkus&amp;sinus</translation>
    </message>
    <message>
        <source>Inverse &amp;Cosine</source>
        <translation>Arkus&amp;kosinus</translation>
    </message>
    <message>
        <source>Inverse S&amp;ecant</source>
        <translation>Arkuss&amp;ekans</translation>
    </message>
    <message>
        <source>Inverse Cosecan&amp;t</source>
        <translation>Arkusk&amp;osekans</translation>
    </message>
    <message>
        <source>Inverse Cotan&amp;gent</source>
        <translation>Arkuskotan&amp;gens</translation>
    </message>
    <message>
        <source>&amp;Hyperbolic</source>
        <translation>&amp;Hyperbolisch</translation>
    </message>
    <message>
        <source>Hyperbolic &amp;Sine</source>
        <translation>&amp;Sinus hyperbolicus</translation>
    </message>
    <message>
        <source>Hyperbolic &amp;Cosine</source>
        <translation>&amp;Kosinus hyperbolicus</translation>
    </message>
    <message>
        <source>Hyperbolic &amp;Tangent</source>
        <translation>&amp;Tangens hyperbolicus</translation>
    </message>
    <message>
        <source>Hyperbolic S&amp;ecant</source>
        <translation>S&amp;ekans hyperbolicus</translation>
    </message>
    <message>
        <source>Hyperbolic C&amp;osecant</source>
        <translation>K&amp;osekans hyperbolicus</translation>
    </message>
    <message>
        <source>Hyperbolic Cotan&amp;gent</source>
        <translation>Kotan&amp;gens hyperbolicus</translation>
    </message>
    <message>
        <source>Inverse H&amp;yperbolic</source>
        <translation>Invers h&amp;yperbolisch</translation>
    </message>
    <message>
        <source>Inverse Hyperbolic &amp;Sine</source>
        <translation>Area&amp;sinus hyperbolicus</translation>
    </message>
    <message>
        <source>Inverse Hyperbolic &amp;Cosine</source>
        <translation>Area&amp;kosinus hyperbolicus</translation>
    </message>
    <message>
        <source>Inverse Hyperbolic &amp;Tangent</source>
        <translation>Area&amp;tangens hyperbolicus</translation>
    </message>
    <message>
        <source>Inverse Hyperbolic S&amp;ecant</source>
        <translation>Areas&amp;ekans hyperbolicus</translation>
    </message>
    <message>
        <source>Inverse Hyperbolic C&amp;osecant</source>
        <translation>Areak&amp;osekans hyperbolicus</translation>
    </message>
    <message>
        <source>Inverse Hyperbolic Cotan&amp;gent</source>
        <translation>Areakotan&amp;gens hyperbolicus</translation>
    </message>
    <message>
        <source>Natural Logarith&amp;m</source>
        <translation>Natürlicher Logarith&amp;mus</translation>
    </message>
    <message>
        <source>Exp (&amp;Base of Natural Log)</source>
        <translation>Exp (&amp;Basis des natürlichen Logarithmus)</translation>
    </message>
    <message>
        <source>&amp;Logarithm to Base N...</source>
        <translation>&amp;Logarithmus zur Basis N...</translation>
    </message>
    <message>
        <source>Reci&amp;procal</source>
        <translation>Kehr&amp;wert</translation>
    </message>
    <message>
        <source>&amp;Degrees</source>
        <translation>G&amp;rad</translation>
    </message>
    <message>
        <source>&amp;Radians</source>
        <translation>Rad&amp;iant</translation>
    </message>
    <message>
        <source>P&amp;i</source>
        <translation>&amp;Pi</translation>
    </message>
    <message>
        <source>&amp;e constant</source>
        <translation>&amp;e (Eulersche Zahl)</translation>
    </message>
    <message>
        <source>Golden C&amp;ut</source>
        <translation>Goldener S&amp;chnitt</translation>
    </message>
    <message>
        <source>Convert to &amp;Fractions</source>
        <translation>Als Br&amp;uch darstellen</translation>
    </message>
    <message>
        <source>&amp;Annotate Tape...	N</source>
        <translation>&amp;Notiz auf Streifen...	N</translation>
    </message>
    <message>
        <source>&amp;Find On Tape...</source>
        <translation>Auf Streifen s&amp;uchen...</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Clear Tape</source>
        <translation>Streifen lösc&amp;hen</translation>
    </message>
    <message>
        <source>&amp;Edit Tape</source>
        <translation>Streifen &amp;bearbeiten</translation>
    </message>
    <message>
        <source>Tape to Scratch Pa&amp;d</source>
        <translation>Streifen in den Notizbloc&amp;k</translation>
    </message>
    <message>
        <source>&amp;Hide/Show Tape</source>
        <translation>Streifen &amp;ein-/ausblenden</translation>
    </message>
    <message>
        <source>Hide/Show Number &amp;Keys</source>
        <translation>&amp;Zifferntasten ein-/ausblenden</translation>
    </message>
    <message>
        <source>&amp;Expression Evaluator...	(</source>
        <translation>&amp;Ausdrucksrechner...	(</translation>
    </message>
    <message>
        <source>Don&apos;t Hide E&amp;valuator</source>
        <translation>Ausdrucksrechner nicht a&amp;usblenden</translation>
    </message>
    <message>
        <source>&amp;Construction Calculator (ft/in)...</source>
        <translation>&amp;Baurechner (ft/in)...</translation>
    </message>
    <message>
        <source>&amp;Time/Date Calculations...</source>
        <translation>&amp;Zeit/Datum berechnen...</translation>
    </message>
    <message>
        <source>Show Ca&amp;lendar...</source>
        <translation>&amp;Kalender anzeigen...</translation>
    </message>
    <message>
        <source>Set &amp;Alarms...</source>
        <translation>A&amp;larme einstellen...</translation>
    </message>
    <message>
        <source>Alarms E&amp;nabled/Disabled</source>
        <translation>Alarme &amp;ein/aus</translation>
    </message>
    <message>
        <source>Scratch &amp;Pad...</source>
        <translation>&amp;Notizblock...</translation>
    </message>
    <message>
        <source>&amp;Billing Rate...</source>
        <translation>&amp;Stundensatz...</translation>
    </message>
    <message>
        <source>Start/Stop Pro&amp;ject Timer</source>
        <translation>&amp;Projektzeit starten/stoppen</translation>
    </message>
    <message>
        <source>Hide/Show Toolba&amp;r</source>
        <translation>Sy&amp;mbolleiste ein-/ausblenden</translation>
    </message>
    <message>
        <source>&amp;Show in Tray</source>
        <translation>Im &amp;Infobereich anzeigen</translation>
    </message>
    <message>
        <source>Stay &amp;On Top</source>
        <translation>Immer im &amp;Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Hide Main Window</source>
        <translation>&amp;Hauptfenster ausblenden</translation>
    </message>
    <message>
        <source>&amp;Keep Calculator On Top</source>
        <translation>Rechner &amp;oben halten</translation>
    </message>
    <message>
        <source>E&amp;xit Button Minimizes</source>
        <translation>Beenden-Knopf minimie&amp;rt</translation>
    </message>
    <message>
        <source>&amp;Contents	F1</source>
        <translation>&amp;Inhalt	F1</translation>
    </message>
    <message>
        <source>&amp;About Zorv Advanced Calculator</source>
        <translation>Ü&amp;ber Zorv Advanced Calculator</translation>
    </message>
    <message>
        <source>E&amp;xport Tape</source>
        <translation>E&amp;xportieren</translation>
    </message>
    <message>
        <source>&amp;CSV...</source>
        <translation>&amp;CSV-Datei...</translation>
    </message>
    <message>
        <source>&amp;TSV...</source>
        <translation>&amp;TSV-Datei...</translation>
    </message>
    <message>
        <source>T&amp;ext...</source>
        <translation>Te&amp;xtdatei...</translation>
    </message>
    <message>
        <source>Paste Colu&amp;mn</source>
        <translation>Spalte einfü&amp;gen</translation>
    </message>
    <message>
        <source>Tape Hist&amp;ory...</source>
        <translation>&amp;Frühere Streifen...</translation>
    </message>
    <message>
        <source>Co&amp;rrect Entry...</source>
        <translation>Eintrag k&amp;orrigieren...</translation>
    </message>
    <message>
        <source>Bus&amp;iness Keys</source>
        <translation>Geschäf&amp;tstasten</translation>
    </message>
    <message>
        <source>&amp;TAX+</source>
        <translation>&amp;Steuer+</translation>
    </message>
    <message>
        <source>TA&amp;X-</source>
        <translation>St&amp;euer-</translation>
    </message>
    <message>
        <source>&amp;COST</source>
        <translation>&amp;Kosten</translation>
    </message>
    <message>
        <source>&amp;SELL</source>
        <translation>&amp;Verkaufspreis</translation>
    </message>
    <message>
        <source>&amp;MARGIN</source>
        <translation>&amp;Marge</translation>
    </message>
    <message>
        <source>&amp;GT (Grand Total)</source>
        <translation>&amp;Gesamtsumme (GT)</translation>
    </message>
    <message>
        <source>Round &amp;Half-Up</source>
        <translation>Kaufmännisch &amp;runden</translation>
    </message>
    <message>
        <source>Round Half-&amp;Even</source>
        <translation>Auf gerade Ziffer r&amp;unden</translation>
    </message>
    <message>
        <source>Round &amp;Up</source>
        <translation>&amp;Aufrunden</translation>
    </message>
    <message>
        <source>Round &amp;Down</source>
        <translation>A&amp;brunden</translation>
    </message>
</context>
<context>
    <name>zorv::ui::CalculatorWindow</name>
    <message>
        <source>The number keyed, or the result</source>
        <translation>Die eingegebene Zahl oder das Ergebnis</translation>
    </message>
    <message>
        <source>Numbers on the RPN stack</source>
        <translation>Zahlen auf dem UPN-Stapel</translation>
    </message>
    <message>
        <source>Calculation modes that are on</source>
        <translation>Eingeschaltete Rechenmodi</translation>
    </message>
    <message>
        <source>Tape</source>
        <translation>Streifen</translation>
    </message>
    <message>
        <source>The paper tape: every number, operator and total</source>
        <translation>Der Papierstreifen: jede Zahl, jeder Operator und jede Summe</translation>
    </message>
    <message>
        <source>Set…</source>
        <translation>Belegen…</translation>
    </message>
    <message>
        <source>Toolbar button %1, not set</source>
        <translation>Symbolleistenknopf %1, nicht belegt</translation>
    </message>
    <message>
        <source>Toolbar button %1: %2</source>
        <translation>Symbolleistenknopf %1: %2</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Previous conversion set</source>
        <translation>Vorheriger Umrechnungssatz</translation>
    </message>
    <message>
        <source>Next conversion set</source>
        <translation>Nächster Umrechnungssatz</translation>
    </message>
    <message>
        <source>Digit %1</source>
        <translation>Ziffer %1</translation>
    </message>
    <message>
        <source>Decimal symbol (%1 or .)</source>
        <translation>Dezimalzeichen (%1 oder .)</translation>
    </message>
    <message>
        <source>Clear entry (Delete or Escape)</source>
        <translation>Eingabe löschen (Entf oder Esc)</translation>
    </message>
    <message>
        <source>Clear all (C)</source>
        <translation>Alles löschen (C)</translation>
    </message>
    <message>
        <source>Change sign (F9)</source>
        <translation>Vorzeichen wechseln (F9)</translation>
    </message>
    <message>
        <source>Memory clear (Ctrl+L)</source>
        <translation>Speicher löschen (Strg+L)</translation>
    </message>
    <message>
        <source>Memory recall (Ctrl+R)</source>
        <translation>Speicher abrufen (Strg+R)</translation>
    </message>
    <message>
        <source>Memory store (Ctrl+M)</source>
        <translation>Im Speicher ablegen (Strg+M)</translation>
    </message>
    <message>
        <source>Add to memory (M)</source>
        <translation>Zum Speicher addieren (M)</translation>
    </message>
    <message>
        <source>Subtract from memory (m)</source>
        <translation>Vom Speicher subtrahieren (m)</translation>
    </message>
    <message>
        <source>Percent (%)</source>
        <translation>Prozent (%)</translation>
    </message>
    <message>
        <source>Square (S)</source>
        <translation>Quadrat (S)</translation>
    </message>
    <message>
        <source>Square root (R)</source>
        <translation>Quadratwurzel (R)</translation>
    </message>
    <message>
        <source>Conversion set: %1</source>
        <translation>Umrechnungssatz: %1</translation>
    </message>
    <message>
        <source>Readout %1</source>
        <translation>Anzeige %1</translation>
    </message>
    <message>
        <source>Modes on: %1</source>
        <translation>Eingeschaltete Modi: %1</translation>
    </message>
    <message>
        <source>Memory holds %1</source>
        <translation>Speicher enthält %1</translation>
    </message>
    <message>
        <source>Memory in use</source>
        <translation>Speicher belegt</translation>
    </message>
    <message>
        <source>Memory:</source>
        <translation>Speicher:</translation>
    </message>
    <message>
        <source>Number Lock is On</source>
        <translation>Die Num-Taste ist an</translation>
    </message>
    <message>
        <source>Number Lock is Off</source>
        <translation>Die Num-Taste ist aus</translation>
    </message>
    <message>
        <source>Right Click to Set Button</source>
        <translation>Rechtsklick, um den Knopf zu belegen</translation>
    </message>
    <message>
        <source>Exit Zorv Calculator</source>
        <translation>Zorv Calculator beenden</translation>
    </message>
    <message>
        <source>RPN: </source>
        <translation>UPN: </translation>
    </message>
    <message>
        <source>Divide (/)</source>
        <translation>Dividieren (/)</translation>
    </message>
    <message>
        <source>Multiply (* or X)</source>
        <translation>Multiplizieren (* oder X)</translation>
    </message>
    <message>
        <source>Subtract (-)</source>
        <translation>Subtrahieren (-)</translation>
    </message>
    <message>
        <source>Add (+)</source>
        <translation>Addieren (+)</translation>
    </message>
    <message>
        <source>Total (Enter or =)</source>
        <translation>Summe (Eingabe oder =)</translation>
    </message>
</context>
<context>
    <name>zorv::ui::HelpWindow</name>
    <message>
        <source>Zorv Advanced Calculator Help</source>
        <translation>Hilfe zu Zorv Advanced Calculator</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
</context>
<context>
    <name>zorv::ui::KeypadWidget</name>
    <message>
        <source>Keypad</source>
        <translation>Tastenfeld</translation>
    </message>
</context>
<context>
    <name>zorv::ui::MainWindowCommands</name>
    <message>
        <source>Save Tape to File</source>
        <translation>Streifen in Datei speichern</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Load Saved Tape</source>
        <translation>Gespeicherten Streifen laden</translation>
    </message>
    <message>
        <source>No printer is available. Choose &quot;Print to File (PDF)&quot; to keep a copy.</source>
        <translation>Kein Drucker verfügbar. Wählen Sie „In Datei drucken (PDF)“, um eine Kopie zu behalten.</translation>
    </message>
    <message>
        <source>The file %1 could not be written: %2</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The printer reported an error.</source>
        <translation>Der Drucker hat einen Fehler gemeldet.</translation>
    </message>
    <message>
        <source>The file %1 could not be written.</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>zorv::ui::RpnStackWindow</name>
    <message>
        <source>RPN Stack</source>
        <translation>UPN-Stapel</translation>
    </message>
    <message>
        <source>&quot;=&quot; enters the readout; an operator combines the top number with the keyed one, or the top two.</source>
        <translation>„=“ legt die Anzeige auf den Stapel; ein Operator verknüpft die oberste Zahl mit der eingegebenen oder die obersten zwei.</translation>
    </message>
    <message>
        <source>The stack is empty.</source>
        <translation>Der Stapel ist leer.</translation>
    </message>
    <message>
        <source>One number on the stack:</source>
        <translation>Eine Zahl auf dem Stapel:</translation>
    </message>
    <message>
        <source>%1 numbers on the stack, the top first:</source>
        <translation>%1 Zahlen auf dem Stapel, die oberste zuerst:</translation>
    </message>
</context>
<context>
    <name>zorv::ui::ToolbarController</name>
    <message>
        <source>Hide Toolbar</source>
        <translation>Symbolleiste ausblenden</translation>
    </message>
    <message>
        <source>Show Toolbar</source>
        <translation>Symbolleiste einblenden</translation>
    </message>
</context>
<context>
    <name>zorv::ui::ToolbarSetupDialog</name>
    <message>
        <source>Selected:</source>
        <translation>Ausgewählt:</translation>
    </message>
    <message>
        <source>&amp;Group:</source>
        <translation>&amp;Gruppe:</translation>
    </message>
    <message>
        <source>Setup Button # %1</source>
        <translation>Knopf Nr. %1 belegen</translation>
    </message>
</context>
<context>
    <name>zorv::ui::TrayController</name>
    <message>
        <source>&amp;Show Calculator</source>
        <translation>Rechner &amp;anzeigen</translation>
    </message>
    <message>
        <source>&amp;Hide Calculator</source>
        <translation>Rechner a&amp;usblenden</translation>
    </message>
    <message>
        <source>&amp;Remove from Tray</source>
        <translation>Aus dem Infobereich &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Base Conversions</source>
        <translation>&amp;Basisumrechnung</translation>
    </message>
    <message>
        <source>C&amp;onstruction Calculator (ft/in)</source>
        <translation>Bau&amp;rechner (ft/in)</translation>
    </message>
    <message>
        <source>C&amp;urrency Conversions</source>
        <translation>&amp;Währungen umrechnen</translation>
    </message>
    <message>
        <source>&amp;Expression Evaluator</source>
        <translation>Ausdrucks&amp;rechner</translation>
    </message>
    <message>
        <source>Project Timer</source>
        <translation>Projektzeit</translation>
    </message>
    <message>
        <source>Scratch &amp;Pad</source>
        <translation>&amp;Notizblock</translation>
    </message>
    <message>
        <source>Set A&amp;larms</source>
        <translation>A&amp;larme einstellen</translation>
    </message>
    <message>
        <source>Sho&amp;w Calendar</source>
        <translation>&amp;Kalender anzeigen</translation>
    </message>
    <message>
        <source>&amp;Time/Date Calculations</source>
        <translation>&amp;Zeit/Datum berechnen</translation>
    </message>
    <message>
        <source>&amp;Cancel Menu</source>
        <translation>Menü &amp;schließen</translation>
    </message>
    <message>
        <source>E&amp;xit Calculator</source>
        <translation>Rechner &amp;beenden</translation>
    </message>
</context>
</TS>
