<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Orvanel::ConnectionTest</name>
    <message>
        <source>Test</source>
        <translation>Testen</translation>
    </message>
    <message>
        <source>Open the connection as filled in above and close it again, sending nothing.</source>
        <translation>Verbindung wie oben eingetragen öffnen und wieder schließen, ohne etwas zu senden.</translation>
    </message>
    <message>
        <source>Testing (at most %1 ms)...</source>
        <translation>Teste (höchstens %1 ms)...</translation>
    </message>
    <message>
        <source>Testing...</source>
        <translation>Teste...</translation>
    </message>
</context>
<context>
    <name>Orvanel::FoundPrinters</name>
    <message>
        <source>Printers found:</source>
        <translation>Gefundene Drucker:</translation>
    </message>
    <message>
        <source>Find printers</source>
        <translation>Drucker suchen</translation>
    </message>
    <message>
        <source> - stored as %1</source>
        <translation> - gespeichert als %1</translation>
    </message>
    <message>
        <source> - stored as %1: this computer does not resolve %2</source>
        <translation> - gespeichert als %1: dieser Rechner löst %2 nicht auf</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <source>searching...</source>
        <translation>suche...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
</context>
<context>
    <name>Orvanel::LinkSettingsPanel</name>
    <message>
        <source>Connection:</source>
        <translation>Verbindung:</translation>
    </message>
    <message>
        <source>host name or IP address</source>
        <translation>Hostname oder IP-Adresse</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>Host:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Printer queue:</source>
        <translation>Druckerwarteschlange:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Device or file:</source>
        <translation>Gerät oder Datei:</translation>
    </message>
    <message>
        <source>Serial port:</source>
        <translation>Serielle Schnittstelle:</translation>
    </message>
    <message>
        <source>Baud rate:</source>
        <translation>Baudrate:</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Datenbits:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Parität:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Stoppbits:</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Flusssteuerung:</translation>
    </message>
    <message>
        <source>Time limit (ms):</source>
        <translation>Zeitlimit (ms):</translation>
    </message>
    <message>
        <source>Printer device or capture file</source>
        <translation>Druckergerät oder Mitschnittdatei</translation>
    </message>
</context>
<context>
    <name>Orvanel::Quenlink</name>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab first and choose how this computer reaches the printer.</source>
        <translation> Klicken Sie zuerst auf der Registerkarte „Start“ auf „Kommunikation“ und wählen Sie, wie dieser Rechner den Drucker erreicht.</translation>
    </message>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab to fix it.</source>
        <translation> Korrigieren Sie dies über „Kommunikation“ auf der Registerkarte „Start“.</translation>
    </message>
    <message>
        <source> Fix or remove that file, then press &quot;Communication&quot; on the Main tab.</source>
        <translation> Reparieren oder entfernen Sie diese Datei und klicken Sie dann auf der Registerkarte „Start“ auf „Kommunikation“.</translation>
    </message>
</context>
<context>
    <name>Q6::Link</name>
    <message>
        <source>Network (TCP/IP)</source>
        <translation>Netzwerk (TCP/IP)</translation>
    </message>
    <message>
        <source>Printer queue</source>
        <translation>Druckerwarteschlange</translation>
    </message>
    <message>
        <source>File or device</source>
        <translation>Datei oder Gerät</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Gerade</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Ungerade</translation>
    </message>
    <message>
        <source>Hardware (RTS/CTS)</source>
        <translation>Hardware (RTS/CTS)</translation>
    </message>
    <message>
        <source>Software (XON/XOFF)</source>
        <translation>Software (XON/XOFF)</translation>
    </message>
</context>
<context>
    <name>Q6::Lists</name>
    <message>
        <source>No Change</source>
        <translation>Keine Änderung</translation>
    </message>
    <message>
        <source>Feed (No cut)</source>
        <translation>Vorschub (kein Schnitt)</translation>
    </message>
    <message>
        <source>Full Cut</source>
        <translation>Vollschnitt</translation>
    </message>
    <message>
        <source>Partial Cut</source>
        <translation>Teilschnitt</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On: Default ID</source>
        <translation>Ein: Standard-ID</translation>
    </message>
    <message>
        <source>On: Alternative ID</source>
        <translation>Ein: Alternative ID</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Perform Line Feed</source>
        <translation>Zeilenvorschub</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <source>Enabled - Full Cut</source>
        <translation>Aktiviert - Vollschnitt</translation>
    </message>
    <message>
        <source>Enabled - Partial Cut</source>
        <translation>Aktiviert - Teilschnitt</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Reverse to 3mm</source>
        <translation>Rückzug auf 3mm</translation>
    </message>
    <message>
        <source>Reverse to 7mm</source>
        <translation>Rückzug auf 7mm</translation>
    </message>
    <message>
        <source>USA</source>
        <translation>USA</translation>
    </message>
    <message>
        <source>France</source>
        <translation>Frankreich</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Deutschland</translation>
    </message>
    <message>
        <source>U.K.</source>
        <translation>Großbritannien</translation>
    </message>
    <message>
        <source>Denmark #1</source>
        <translation>Dänemark 1</translation>
    </message>
    <message>
        <source>Sweden</source>
        <translation>Schweden</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Italien</translation>
    </message>
    <message>
        <source>Spain #1</source>
        <translation>Spanien 1</translation>
    </message>
    <message>
        <source>Japan</source>
        <translation>Japan</translation>
    </message>
    <message>
        <source>Norway</source>
        <translation>Norwegen</translation>
    </message>
    <message>
        <source>Denmark #2</source>
        <translation>Dänemark 2</translation>
    </message>
    <message>
        <source>Spain #2</source>
        <translation>Spanien 2</translation>
    </message>
    <message>
        <source>Latin America</source>
        <translation>Lateinamerika</translation>
    </message>
    <message>
        <source>Korea</source>
        <translation>Korea</translation>
    </message>
    <message>
        <source>Ireland</source>
        <translation>Irland</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>Legal</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>437(USA,std. Europe) </source>
        <translation>437 (USA, Europa) </translation>
    </message>
    <message>
        <source>Katakana</source>
        <translation>Katakana</translation>
    </message>
    <message>
        <source>437(USA,std. Europe)</source>
        <translation>437 (USA, Europa)</translation>
    </message>
    <message>
        <source>858 (Multilingual)</source>
        <translation>858 (Mehrsprachig)</translation>
    </message>
    <message>
        <source>852 (Latin-2)</source>
        <translation>852 (Latin-2)</translation>
    </message>
    <message>
        <source>860 (Portuguese)</source>
        <translation>860 (Portugiesisch)</translation>
    </message>
    <message>
        <source>861 (Icelandic)</source>
        <translation>861 (Isländisch)</translation>
    </message>
    <message>
        <source>863 (Canadian Frence)</source>
        <translation>863 (Frankokanad.)</translation>
    </message>
    <message>
        <source>865 (Nordic)</source>
        <translation>865 (Nordisch)</translation>
    </message>
    <message>
        <source>866 (Cyrillic Russian)</source>
        <translation>866 (Kyrill. Russisch)</translation>
    </message>
    <message>
        <source>855 (Cyrillic Bulgarian)</source>
        <translation>855 (Kyrill. Bulgar.)</translation>
    </message>
    <message>
        <source>857 (Turkish)</source>
        <translation>857 (Türkisch)</translation>
    </message>
    <message>
        <source>862 (Hebrew)</source>
        <translation>862 (Hebräisch)</translation>
    </message>
    <message>
        <source>864 (Arabic)</source>
        <translation>864 (Arabisch)</translation>
    </message>
    <message>
        <source>737 (Greek)</source>
        <translation>737 (Griechisch)</translation>
    </message>
    <message>
        <source>851 (Greek)</source>
        <translation>851 (Griechisch)</translation>
    </message>
    <message>
        <source>869 (Greek)</source>
        <translation>869 (Griechisch)</translation>
    </message>
    <message>
        <source>928 (Greek)</source>
        <translation>928 (Griechisch)</translation>
    </message>
    <message>
        <source>772 (Lithuanian)</source>
        <translation>772 (Litauisch)</translation>
    </message>
    <message>
        <source>774 (Lithuanian)</source>
        <translation>774 (Litauisch)</translation>
    </message>
    <message>
        <source>874 (Thai)</source>
        <translation>874 (Thai)</translation>
    </message>
    <message>
        <source>1252 (Windows Latin-1)</source>
        <translation>1252 (Windows Latin-1)</translation>
    </message>
    <message>
        <source>1250 (Windows Latin-2)</source>
        <translation>1250 (Windows Latin-2)</translation>
    </message>
    <message>
        <source>1251 (Windows Cyrillic)</source>
        <translation>1251 (Windows Kyrill.)</translation>
    </message>
    <message>
        <source>3840 (IBM-Russian)</source>
        <translation>3840 (IBM-Russisch)</translation>
    </message>
    <message>
        <source>3841 (Gost)</source>
        <translation>3841 (GOST)</translation>
    </message>
    <message>
        <source>3843 (Polish)</source>
        <translation>3843 (Polnisch)</translation>
    </message>
    <message>
        <source>3844 (CS2)</source>
        <translation>3844 (CS2)</translation>
    </message>
    <message>
        <source>3845 (Hungarian)</source>
        <translation>3845 (Ungarisch)</translation>
    </message>
    <message>
        <source>3846 (Turkish)</source>
        <translation>3846 (Türkisch)</translation>
    </message>
    <message>
        <source>3847 (Brazil-ABNT)</source>
        <translation>3847 (Brasilien-ABNT)</translation>
    </message>
    <message>
        <source>3848 (Brazil-ABICOMP)</source>
        <translation>3848 (Bras.-ABICOMP)</translation>
    </message>
    <message>
        <source>1001 (Arabic)</source>
        <translation>1001 (Arabisch)</translation>
    </message>
    <message>
        <source>2001 (Lithuaninan-KBL)</source>
        <translation>2001 (Litauisch-KBL)</translation>
    </message>
    <message>
        <source>3001 (Estonian-1)</source>
        <translation>3001 (Estnisch-1)</translation>
    </message>
    <message>
        <source>3002 (Estonian-2)</source>
        <translation>3002 (Estnisch-2)</translation>
    </message>
    <message>
        <source>3011 (Latvian-1)</source>
        <translation>3011 (Lettisch-1)</translation>
    </message>
    <message>
        <source>3012 (Latvian-2)</source>
        <translation>3012 (Lettisch-2)</translation>
    </message>
    <message>
        <source>3021 (Bulgarian)</source>
        <translation>3021 (Bulgarisch)</translation>
    </message>
    <message>
        <source>3041 (Maltese)</source>
        <translation>3041 (Maltesisch)</translation>
    </message>
    <message>
        <source>User Setting (Downloaded)</source>
        <translation>Benutzerdef. (geladen)</translation>
    </message>
    <message>
        <source>No Slash</source>
        <translation>Ohne Schrägstrich</translation>
    </message>
    <message>
        <source>Slash</source>
        <translation>Mit Schrägstrich</translation>
    </message>
    <message>
        <source>12 dot</source>
        <translation>12 Punkte</translation>
    </message>
    <message>
        <source>15 dot</source>
        <translation>15 Punkte</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>No additional spacing</source>
        <translation>Kein Zusatzabstand</translation>
    </message>
    <message>
        <source>1 dot spacing</source>
        <translation>1 Punkt Abstand</translation>
    </message>
    <message>
        <source>2 dot spacing</source>
        <translation>2 Punkte Abstand</translation>
    </message>
    <message>
        <source>3 dot spacing</source>
        <translation>3 Punkte Abstand</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>130% (Darkest)</source>
        <translation>130% (am dunkelsten)</translation>
    </message>
    <message>
        <source>150mm/second</source>
        <translation>150 mm/s</translation>
    </message>
    <message>
        <source>100mm/second</source>
        <translation>100 mm/s</translation>
    </message>
    <message>
        <source>50mm/second</source>
        <translation>50 mm/s</translation>
    </message>
    <message>
        <source>180mm/second</source>
        <translation>180 mm/s</translation>
    </message>
    <message>
        <source>120mm/second</source>
        <translation>120 mm/s</translation>
    </message>
    <message>
        <source>75mm/second</source>
        <translation>75 mm/s</translation>
    </message>
    <message>
        <source>Optimum Density</source>
        <translation>Optimale Schwärzung</translation>
    </message>
    <message>
        <source>82mm (80mm print area)</source>
        <translation>82mm (Druck 80mm)</translation>
    </message>
    <message>
        <source>80mm (72mm print area)</source>
        <translation>80mm (Druck 72mm)</translation>
    </message>
    <message>
        <source>58mm (52.5mm print area)</source>
        <translation>58mm (Druck 52,5mm)</translation>
    </message>
</context>
<context>
    <name>Q6::Messages</name>
    <message>
        <source>Corrupt preset file</source>
        <translation>Beschädigte Vorgabedatei</translation>
    </message>
    <message>
        <source>This preset file is designed for a later version of the QLX600 Setup Utility!</source>
        <translation>Diese Vorgabedatei ist für eine neuere Version des QLX600 Setup Utility bestimmt!</translation>
    </message>
    <message>
        <source>Incorrect Preset File</source>
        <translation>Ungültige Vorgabedatei</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; does not appear to be a preset file.
  This may be a corrupt file or it may require a more revent version of the Vorla QLX600 Setup utility.</source>
        <translation>Die Vorgabe &apos;%1&apos; scheint keine Vorgabedatei zu sein.
  Die Datei ist möglicherweise beschädigt oder erfordert eine neuere Version des Vorla QLX600 Setup Utility.</translation>
    </message>
    <message>
        <source>The &apos;Optimum&apos; print speed option acheives the highest possible output quality to acheive good results even on unsensitive paper types.<byte value="xd"/>
Combine the setting with 130% density for maximum quality (at 120mm/second)<byte value="xd"/>
or 120% density for second highest quality (at 140mm/second.</source>
        <translation>Die Druckgeschwindigkeit &apos;Optimum&apos; liefert die höchstmögliche Druckqualität und damit gute Ergebnisse auch auf wenig empfindlichen Papiersorten.<byte value="xd"/>
Kombinieren Sie sie mit 130% Schwärzung für höchste Qualität (bei 120 mm/s)<byte value="xd"/>
oder mit 120% Schwärzung für die zweithöchste Qualität (bei 140 mm/s).</translation>
    </message>
    <message>
        <source>Reset - Are You Sure?</source>
        <translation>Zurücksetzen - Sind Sie sicher?</translation>
    </message>
    <message>
        <source>WARNING:<byte value="xd"/>
If your printer is currently configured for ticket or label printing (black mark detect)<byte value="xd"/>
then resetting it will cause it to revert to &apos;receipt&apos; mode. Using black marked paper<byte value="xd"/>
stock then the printer is in receipt mode will cause errors.</source>
        <translation>WARNUNG:<byte value="xd"/>
Ist Ihr Drucker derzeit für Ticket- oder Etikettendruck (Schwarzmarkenerkennung) eingerichtet,<byte value="xd"/>
kehrt er durch das Zurücksetzen in den Modus &apos;Kassenbon&apos; zurück. Papier mit Schwarzmarken<byte value="xd"/>
im Kassenbon-Modus führt zu Fehlern.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>Q6::Settings</name>
    <message>
        <source>Action on form feed (&lt;FF&gt;) instruction</source>
        <translation>Aktion bei Seitenvorschub (&lt;FF&gt;)</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Geräte-ID</translation>
    </message>
    <message>
        <source>Top Search</source>
        <translation>Formularanfang suchen</translation>
    </message>
    <message>
        <source>Near End Paper Sensor</source>
        <translation>Papier-fast-leer-Sensor</translation>
    </message>
    <message>
        <source>&lt;CR&gt; Code</source>
        <translation>&lt;CR&gt;-Code</translation>
    </message>
    <message>
        <source>International Character Set</source>
        <translation>Internationaler Zeichensatz</translation>
    </message>
    <message>
        <source>Code Page</source>
        <translation>Codepage</translation>
    </message>
    <message>
        <source>Zero Style</source>
        <translation>Darstellung der Null</translation>
    </message>
    <message>
        <source>Line Spacing</source>
        <translation>Zeilenabstand</translation>
    </message>
    <message>
        <source>Default Print Density</source>
        <translation>Standard-Druckschwärzung</translation>
    </message>
    <message>
        <source>Print Speed</source>
        <translation>Druckgeschwindigkeit</translation>
    </message>
    <message>
        <source>Start Position Detect</source>
        <translation>Startposition erkennen</translation>
    </message>
    <message>
        <source>Cut Position Adjustment</source>
        <translation>Schnittposition anpassen</translation>
    </message>
    <message>
        <source>Character Spacing</source>
        <translation>Zeichenabstand</translation>
    </message>
    <message>
        <source>Paper Width</source>
        <translation>Papierbreite</translation>
    </message>
    <message>
        <source>ESC/POS Print Columns</source>
        <translation>ESC/POS-Druckspalten</translation>
    </message>
    <message>
        <source>ESC/POS Font Size</source>
        <translation>ESC/POS-Schriftgröße</translation>
    </message>
    <message>
        <source>ESC/POS Default Character Spacing</source>
        <translation>ESC/POS-Standardzeichenabstand</translation>
    </message>
    <message>
        <source>Contextual Auto Cut</source>
        <translation>Automatischer Schnitt</translation>
    </message>
    <message>
        <source>No. of Line Feeds</source>
        <translation>Anzahl Zeilenvorschübe</translation>
    </message>
</context>
<context>
    <name>Q6::Tests</name>
    <message>
        <source>Line Feed</source>
        <translation>Zeilenvorschub</translation>
    </message>
    <message>
        <source>Form Feed</source>
        <translation>Seitenvorschub</translation>
    </message>
    <message>
        <source>Feed 5cm</source>
        <translation>5 cm Vorschub</translation>
    </message>
    <message>
        <source>Full Cut</source>
        <translation>Vollschnitt</translation>
    </message>
    <message>
        <source>Partial Cut</source>
        <translation>Teilschnitt</translation>
    </message>
    <message>
        <source>Feed + Full Cut</source>
        <translation>Vorsch. + Vollschnitt</translation>
    </message>
    <message>
        <source>Feed + Partial Cut</source>
        <translation>Vorsch. + Teilschnitt</translation>
    </message>
    <message>
        <source>Cash Drawer 1</source>
        <translation>Kassenlade 1</translation>
    </message>
    <message>
        <source>Cash Drawer 2</source>
        <translation>Kassenlade 2</translation>
    </message>
    <message>
        <source>Print Self Test</source>
        <translation>Selbsttest drucken</translation>
    </message>
    <message>
        <source>Character Set</source>
        <translation>Zeichensatz</translation>
    </message>
    <message>
        <source>Print Ticket Test</source>
        <translation>Tickettest drucken</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Could not store the selected printer model. %1</source>
        <translation>Das gewählte Druckermodell konnte nicht gespeichert werden. %1</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Tickets</source>
        <translation>Tickets</translation>
    </message>
    <message>
        <source>Characters</source>
        <translation>Zeichen</translation>
    </message>
    <message>
        <source>Emulation</source>
        <translation>Emulation</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Tests</translation>
    </message>
    <message>
        <source>Adjust Cut Position</source>
        <translation>Schnittposition anpassen</translation>
    </message>
    <message>
        <source>QLX500/600 Setup Utility</source>
        <translation>QLX500/600 Setup Utility</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Printer Model:</source>
        <translation>Modell:</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Kommunikation</translation>
    </message>
    <message>
        <source>Setup the method of cummunication with your printer.</source>
        <translation>Legen Sie fest, wie mit Ihrem Drucker kommuniziert wird.</translation>
    </message>
    <message>
        <source>Click here first to establish communication with your printer.</source>
        <translation>Klicken Sie zuerst hier, um die Verbindung zu Ihrem Drucker einzurichten.</translation>
    </message>
    <message>
        <source>Print a self-test page on the connected printer.</source>
        <translation>Druckt eine Selbsttestseite auf dem verbundenen Drucker.</translation>
    </message>
    <message>
        <source>Print a self-test. Check that communication settings are correct first.</source>
        <translation>Selbsttest drucken. Prüfen Sie vorher die Kommunikationseinstellungen.</translation>
    </message>
    <message>
        <source>Use Settings</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Send new settings to the connected printer.</source>
        <translation>Sendet die neuen Einstellungen an den verbundenen Drucker.</translation>
    </message>
    <message>
        <source>Write current settings to your printer.</source>
        <translation>Aktuelle Einstellungen in den Drucker schreiben.</translation>
    </message>
    <message>
        <source>Clear All Settings</source>
        <translation>Alles zurücksetzen</translation>
    </message>
    <message>
        <source>Clear all printer memory switch settings (factory default)</source>
        <translation>Alle Speicherschalter des Druckers löschen (Werkseinstellung)</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>Select a preset configuration</source>
        <translation>Vorgegebene Konfiguration wählen</translation>
    </message>
    <message>
        <source>Click here to use a preset printer mode.</source>
        <translation>Hier klicken, um einen vorgegebenen Druckermodus zu nutzen.</translation>
    </message>
    <message>
        <source>Black Mark Ticket Test</source>
        <translation>Schwarzmarken-Tickettest</translation>
    </message>
    <message>
        <source>This button will print a small test of three tickets. Please note that you must have already turned on black mark sensing (Set &apos;Start Position Detect&apos; to On), and you must have suitable ticket paper (with black sensor marks printed on the reverse side).</source>
        <translation>Druckt einen kleinen Test mit drei Tickets. Die Schwarzmarkenerkennung muss bereits eingeschaltet sein (&apos;Startposition erkennen&apos; auf Ein), und geeignetes Ticketpapier (mit Schwarzmarken auf der Rückseite) muss eingelegt sein.</translation>
    </message>
    <message>
        <source>Hardware Tests</source>
        <translation>Hardwaretests</translation>
    </message>
    <message>
        <source>Pheripheral device test (using default pulse time):</source>
        <translation>Peripherietest (mit Standard-Impulsdauer):</translation>
    </message>
    <message>
        <source>Paper Feed Tests:</source>
        <translation>Papiervorschubtests:</translation>
    </message>
    <message>
        <source>Autocutter Tests:</source>
        <translation>Abschneidertests:</translation>
    </message>
    <message>
        <source>Print Tests:</source>
        <translation>Drucktests:</translation>
    </message>
    <message>
        <source>Enable/Disable ALP mode</source>
        <translation>ALP-Modus ein-/ausschalten</translation>
    </message>
    <message>
        <source>Use this to define the behaviour of the printer on receiving a Form Feed (&lt;FF&gt;) command.</source>
        <translation>Legt fest, wie sich der Drucker bei einem Seitenvorschub-Befehl (&lt;FF&gt;) verhält.</translation>
    </message>
    <message>
        <source>Turn on Device ID to make the printer automatically detectable by Windows (Plug and Play).</source>
        <translation>Mit eingeschalteter Geräte-ID erkennt Windows den Drucker automatisch (Plug and Play).</translation>
    </message>
    <message>
        <source>Some systems expect the &lt;CR&gt; code to perform a line feed. Enabling this code could cause double spaced lines on systems that do not require it.</source>
        <translation>Manche Systeme erwarten beim &lt;CR&gt;-Code einen Zeilenvorschub. Auf anderen Systemen kann dies doppelte Zeilenabstände verursachen.</translation>
    </message>
    <message>
        <source>When the paper roll is nearly finished the printers error LED will flash as a &apos;paper low&apos; warning. This can be dissabled for rear fed paper.</source>
        <translation>Ist die Papierrolle fast leer, blinkt die Fehler-LED als Warnung &apos;Papier niedrig&apos;. Bei Papierzufuhr von hinten abschaltbar.</translation>
    </message>
    <message>
        <source>If using a paper roll width other than the default (80mm) it can be selected here to ensure that the printer uses suitable margins.</source>
        <translation>Bei einer anderen Rollenbreite als 80mm (Standard) hier wählen, damit der Drucker passende Ränder verwendet.</translation>
    </message>
    <message>
        <source>If your existing software does not issue a cut command then you can configure the printer to automatically cut on receipt of a series of line feeds.</source>
        <translation>Sendet Ihre Software keinen Schneidebefehl, kann der Drucker nach einer Folge von Zeilenvorschüben selbst schneiden.</translation>
    </message>
    <message>
        <source>Set the default print density, may be required to improve quality on thick or low quality paper.</source>
        <translation>Standard-Druckschwärzung; kann bei dickem oder minderwertigem Papier die Qualität verbessern.</translation>
    </message>
    <message>
        <source>Print speed can be reduced to improve quality on very thick paper/thin card or paper that is not sensitive enough for full speed printing.</source>
        <translation>Eine geringere Geschwindigkeit verbessert die Qualität auf sehr dickem Papier, dünnem Karton oder zu wenig empfindlichem Papier.</translation>
    </message>
    <message>
        <source>Automaticaly locate the start of labels/tickets by detecting a black mark. Cut position adjustment or printer calibration may be required.</source>
        <translation>Findet den Anfang von Etiketten/Tickets über eine Schwarzmarke. Evtl. sind Schnittkorrektur oder Kalibrierung nötig.</translation>
    </message>
    <message>
        <source>Adjust the cut position (relative to the black mark) by enableing the &apos;Adjust Cut Position&apos; check box and clicking on the diagram or entering a measurement in mm.</source>
        <translation>Schnittposition (relativ zur Schwarzmarke) anpassen: &apos;Schnittposition anpassen&apos; ankreuzen, dann ins Bild klicken oder einen Wert in mm eingeben.</translation>
    </message>
    <message>
        <source>For Windows driver use this should normally be left set to &apos;USA&apos;. Older applications which communicate with the printer directyl (many DOS applications) may require a different setting</source>
        <translation>Mit Windows-Treiber normalerweise auf &apos;USA&apos; lassen. Ältere Programme, die direkt mit dem Drucker kommunizieren (viele DOS-Programme), brauchen evtl. eine andere Einstellung.</translation>
    </message>
    <message>
        <source>This should be set to the same code page that your application is using, under Western versions of Windows this is &apos;CP1252 (Windows Latin 1)&apos;</source>
        <translation>Dieselbe Codepage wie in Ihrer Anwendung einstellen; bei westlichen Windows-Versionen ist das &apos;CP1252 (Windows Latin 1)&apos;.</translation>
    </message>
    <message>
        <source>Select the style of zero character used for resident printer fonts (not Windows TrueType&apos;s).</source>
        <translation>Darstellung der Null in den druckereigenen Schriften (nicht Windows-TrueType).</translation>
    </message>
    <message>
        <source>Select the default line spacing for the printer&apos;s internal fonts.This will not affect the line spacing when printing via the standard Windows printer drivers.</source>
        <translation>Standard-Zeilenabstand der internen Schriften. Drucken über die Windows-Druckertreiber ist davon nicht betroffen.</translation>
    </message>
    <message>
        <source>Select the character spacing of the printers internal font. The default is 12 dot.</source>
        <translation>Zeichenabstand der internen Druckerschrift. Standard sind 12 Punkte.</translation>
    </message>
    <message>
        <source>In ESC/POS mode the default number of columns printed is reduced for compatibility. Selecting &apos;Maximum&apos; will enable the maximum possible number of characters to be printed.</source>
        <translation>Im ESC/POS-Modus ist die Spaltenzahl aus Kompatibilitätsgründen verringert. &apos;Maximum&apos; druckt so viele Zeichen wie möglich.</translation>
    </message>
    <message>
        <source>Vorla QLX500/600 Setup Utility</source>
        <translation>Vorla QLX500/600 Setup Utility</translation>
    </message>
    <message>
        <source>%1 - Advanced Mode</source>
        <translation>%1 - Erweiterter Modus</translation>
    </message>
    <message>
        <source>When this feature is enabled the printer will perform a reverse feed to the top of form at the start of a print job (only after a full cut to prevent paper jam&apos;s). For the %1 firmware version 2.1 or later is required.</source>
        <translation>Ist diese Funktion aktiv, zieht der Drucker das Papier zu Beginn eines Druckauftrags bis zum Formularanfang zurück (nur nach einem Vollschnitt, um Papierstau zu vermeiden). Der %1 benötigt Firmware 2.1 oder neuer.</translation>
    </message>
    <message>
        <source>This option selects an alternative (larger) font for use in ESC/POS mode. This may be useful when the printer is used to replace a 180dpi printer. This feature requires Version %1 or later firmware.</source>
        <translation>Wählt eine größere Schrift für den ESC/POS-Modus, nützlich als Ersatz für einen 180-dpi-Drucker. Erfordert Firmware %1 oder neuer.</translation>
    </message>
    <message>
        <source>Increasing the default character spacing can (in combination with the larger font) help simulate the output of 180dpi printers. It is recommended to use 1 dot spacing  and enable &apos;Maximum ESC/POS Print Columns&apos;. This feature requires version %1  or later firmware.</source>
        <translation>Mehr Zeichenabstand (mit der größeren Schrift) ahmt 180-dpi-Drucker nach. Empfohlen: 1 Punkt Abstand und &apos;Maximum&apos; bei ESC/POS-Druckspalten. Erfordert Firmware %1 oder neuer.</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>Protokoll...</translation>
    </message>
    <message>
        <source>See the record of what this computer sent to the connected printer.</source>
        <translation>Protokoll dessen ansehen, was dieser Rechner an den verbundenen Drucker gesendet hat.</translation>
    </message>
    <message>
        <source>Show what your printer was sent and what it holds.</source>
        <translation>Zeigt, was der Drucker erhielt und was er jetzt hält.</translation>
    </message>
    <message>
        <source>No printer connection is set up yet, so there is no printer to show the record of.
Press Communication to set one up first.</source>
        <translation>Es ist noch keine Druckerverbindung eingerichtet, daher gibt es keinen Drucker, dessen Protokoll gezeigt werden kann.
Richten Sie zuerst unter Kommunikation eine ein.</translation>
    </message>
</context>
<context>
    <name>frmPort</name>
    <message>
        <source>Communication Settings</source>
        <translation>Kommunikationseinstellungen</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmPresets</name>
    <message>
        <source>Preset Settings</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Save New</source>
        <translation>Neu speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>frmRecord</name>
    <message>
        <source>unfinished</source>
        <translation>nicht abgeschlossen</translation>
    </message>
    <message>
        <source>delivered</source>
        <translation>zugestellt</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>nicht gesendet</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>factory</source>
        <translation>Werkseinstellung</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Nothing has been sent with this computer&apos;s record yet.</source>
        <translation>Mit dem Protokoll dieses Rechners wurde noch nichts gesendet.</translation>
    </message>
    <message>
        <source>The record at %1 cannot be read: %2</source>
        <translation>Das Protokoll %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The record holds nothing sent to this printer yet.</source>
        <translation>Das Protokoll enthält noch nichts, was an diesen Drucker gesendet wurde.</translation>
    </message>
    <message>
        <source>The newest %1 entries are shown; the record holds older ones too (q6config-cli history lists them all).</source>
        <translation>Die neuesten %1 Einträge werden gezeigt; das Protokoll enthält auch ältere (q6config-cli history listet alle).</translation>
    </message>
    <message>
        <source>Printer Record</source>
        <translation>Druckerprotokoll</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>Wer</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Was</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>Seit</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>Unknown: the record cannot say what the printer holds, because nothing sent from this computer has set it, or an exchange that would have was cut short. Use Settings or Clear All Settings makes it known again.</source>
        <translation>Unbekannt: Das Protokoll kann nicht sagen, was der Drucker hält, weil nichts von diesem Rechner Gesendete es gesetzt hat oder ein Austausch, der es gesetzt hätte, abgebrochen wurde. Senden oder Alles zurücksetzen macht es wieder bekannt.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Printer: %1</source>
        <translation>Drucker: %1</translation>
    </message>
    <message>
        <source>Printer: %1 (%2)</source>
        <translation>Drucker: %1 (%2)</translation>
    </message>
    <message>
        <source>Record: %1</source>
        <translation>Protokoll: %1</translation>
    </message>
</context>
</TS>
