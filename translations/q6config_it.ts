<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
<context>
    <name>Orvanel::ConnectionTest</name>
    <message>
        <source>Test</source>
        <translation>Prova</translation>
    </message>
    <message>
        <source>Open the connection as filled in above and close it again, sending nothing.</source>
        <translation>Apre la connessione indicata sopra e la richiude senza inviare nulla.</translation>
    </message>
    <message>
        <source>Testing (at most %1 ms)...</source>
        <translation>Prova in corso (max %1 ms)...</translation>
    </message>
    <message>
        <source>Testing...</source>
        <translation>Prova in corso...</translation>
    </message>
</context>
<context>
    <name>Orvanel::FoundPrinters</name>
    <message>
        <source>Printers found:</source>
        <translation>Stampanti trovate:</translation>
    </message>
    <message>
        <source>Find printers</source>
        <translation>Cerca stampanti</translation>
    </message>
    <message>
        <source> - stored as %1</source>
        <translation> - salvata come %1</translation>
    </message>
    <message>
        <source> - stored as %1: this computer does not resolve %2</source>
        <translation> - salvata come %1: questo computer non risolve %2</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Ricerca in corso...</translation>
    </message>
    <message>
        <source>searching...</source>
        <translation>ricerca...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>nessuna</translation>
    </message>
</context>
<context>
    <name>Orvanel::LinkSettingsPanel</name>
    <message>
        <source>Connection:</source>
        <translation>Connessione:</translation>
    </message>
    <message>
        <source>host name or IP address</source>
        <translation>nome host o indirizzo IP</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>Host:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Porta:</translation>
    </message>
    <message>
        <source>Printer queue:</source>
        <translation>Coda di stampa:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Sfoglia...</translation>
    </message>
    <message>
        <source>Device or file:</source>
        <translation>Dispositivo o file:</translation>
    </message>
    <message>
        <source>Serial port:</source>
        <translation>Porta seriale:</translation>
    </message>
    <message>
        <source>Baud rate:</source>
        <translation>Velocità (baud):</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Bit di dati:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Parità:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Bit di stop:</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Controllo di flusso:</translation>
    </message>
    <message>
        <source>Time limit (ms):</source>
        <translation>Tempo limite (ms):</translation>
    </message>
    <message>
        <source>Printer device or capture file</source>
        <translation>Dispositivo stampante o file di cattura</translation>
    </message>
</context>
<context>
    <name>Orvanel::Quenlink</name>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab first and choose how this computer reaches the printer.</source>
        <translation> Premere prima «Comunicazione» nella scheda Home e scegliere come questo computer raggiunge la stampante.</translation>
    </message>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab to fix it.</source>
        <translation> Premere «Comunicazione» nella scheda Home per correggere.</translation>
    </message>
    <message>
        <source> Fix or remove that file, then press &quot;Communication&quot; on the Main tab.</source>
        <translation> Riparare o rimuovere il file, poi premere «Comunicazione» nella scheda Home.</translation>
    </message>
</context>
<context>
    <name>Q6::Link</name>
    <message>
        <source>Network (TCP/IP)</source>
        <translation>Rete (TCP/IP)</translation>
    </message>
    <message>
        <source>Printer queue</source>
        <translation>Coda di stampa</translation>
    </message>
    <message>
        <source>File or device</source>
        <translation>File o dispositivo</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Porta seriale</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nessuna</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Pari</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Dispari</translation>
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
        <translation>Nessuna modifica</translation>
    </message>
    <message>
        <source>Feed (No cut)</source>
        <translation>Avanz. (senza taglio)</translation>
    </message>
    <message>
        <source>Full Cut</source>
        <translation>Taglio totale</translation>
    </message>
    <message>
        <source>Partial Cut</source>
        <translation>Taglio parziale</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Disattivato</translation>
    </message>
    <message>
        <source>On: Default ID</source>
        <translation>Sì: ID standard</translation>
    </message>
    <message>
        <source>On: Alternative ID</source>
        <translation>Sì: ID alternativo</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disattivato</translation>
    </message>
    <message>
        <source>Perform Line Feed</source>
        <translation>Avanzamento riga</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Attivato</translation>
    </message>
    <message>
        <source>Enabled - Full Cut</source>
        <translation>Attivo - Taglio totale</translation>
    </message>
    <message>
        <source>Enabled - Partial Cut</source>
        <translation>Attivo - Taglio parz.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Attivato</translation>
    </message>
    <message>
        <source>Reverse to 3mm</source>
        <translation>Arretra a 3mm</translation>
    </message>
    <message>
        <source>Reverse to 7mm</source>
        <translation>Arretra a 7mm</translation>
    </message>
    <message>
        <source>USA</source>
        <translation>USA</translation>
    </message>
    <message>
        <source>France</source>
        <translation>Francia</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Germania</translation>
    </message>
    <message>
        <source>U.K.</source>
        <translation>Regno Unito</translation>
    </message>
    <message>
        <source>Denmark #1</source>
        <translation>Danimarca 1</translation>
    </message>
    <message>
        <source>Sweden</source>
        <translation>Svezia</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Italia</translation>
    </message>
    <message>
        <source>Spain #1</source>
        <translation>Spagna 1</translation>
    </message>
    <message>
        <source>Japan</source>
        <translation>Giappone</translation>
    </message>
    <message>
        <source>Norway</source>
        <translation>Norvegia</translation>
    </message>
    <message>
        <source>Denmark #2</source>
        <translation>Danimarca 2</translation>
    </message>
    <message>
        <source>Spain #2</source>
        <translation>Spagna 2</translation>
    </message>
    <message>
        <source>Latin America</source>
        <translation>America Latina</translation>
    </message>
    <message>
        <source>Korea</source>
        <translation>Corea</translation>
    </message>
    <message>
        <source>Ireland</source>
        <translation>Irlanda</translation>
    </message>
    <message>
        <source>Legal</source>
        <translation>Legal</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
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
        <translation>858 (Multilingue)</translation>
    </message>
    <message>
        <source>852 (Latin-2)</source>
        <translation>852 (Latin-2)</translation>
    </message>
    <message>
        <source>860 (Portuguese)</source>
        <translation>860 (Portoghese)</translation>
    </message>
    <message>
        <source>861 (Icelandic)</source>
        <translation>861 (Islandese)</translation>
    </message>
    <message>
        <source>863 (Canadian Frence)</source>
        <translation>863 (Franco-canad.)</translation>
    </message>
    <message>
        <source>865 (Nordic)</source>
        <translation>865 (Nordico)</translation>
    </message>
    <message>
        <source>866 (Cyrillic Russian)</source>
        <translation>866 (Cirillico russo)</translation>
    </message>
    <message>
        <source>855 (Cyrillic Bulgarian)</source>
        <translation>855 (Cirill. bulgaro)</translation>
    </message>
    <message>
        <source>857 (Turkish)</source>
        <translation>857 (Turco)</translation>
    </message>
    <message>
        <source>862 (Hebrew)</source>
        <translation>862 (Ebraico)</translation>
    </message>
    <message>
        <source>864 (Arabic)</source>
        <translation>864 (Arabo)</translation>
    </message>
    <message>
        <source>737 (Greek)</source>
        <translation>737 (Greco)</translation>
    </message>
    <message>
        <source>851 (Greek)</source>
        <translation>851 (Greco)</translation>
    </message>
    <message>
        <source>869 (Greek)</source>
        <translation>869 (Greco)</translation>
    </message>
    <message>
        <source>928 (Greek)</source>
        <translation>928 (Greco)</translation>
    </message>
    <message>
        <source>772 (Lithuanian)</source>
        <translation>772 (Lituano)</translation>
    </message>
    <message>
        <source>774 (Lithuanian)</source>
        <translation>774 (Lituano)</translation>
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
        <translation>1251 (Windows cirill.)</translation>
    </message>
    <message>
        <source>3840 (IBM-Russian)</source>
        <translation>3840 (IBM-Russo)</translation>
    </message>
    <message>
        <source>3841 (Gost)</source>
        <translation>3841 (GOST)</translation>
    </message>
    <message>
        <source>3843 (Polish)</source>
        <translation>3843 (Polacco)</translation>
    </message>
    <message>
        <source>3844 (CS2)</source>
        <translation>3844 (CS2)</translation>
    </message>
    <message>
        <source>3845 (Hungarian)</source>
        <translation>3845 (Ungherese)</translation>
    </message>
    <message>
        <source>3846 (Turkish)</source>
        <translation>3846 (Turco)</translation>
    </message>
    <message>
        <source>3847 (Brazil-ABNT)</source>
        <translation>3847 (Brasile-ABNT)</translation>
    </message>
    <message>
        <source>3848 (Brazil-ABICOMP)</source>
        <translation>3848 (Bras.-ABICOMP)</translation>
    </message>
    <message>
        <source>1001 (Arabic)</source>
        <translation>1001 (Arabo)</translation>
    </message>
    <message>
        <source>2001 (Lithuaninan-KBL)</source>
        <translation>2001 (Lituano-KBL)</translation>
    </message>
    <message>
        <source>3001 (Estonian-1)</source>
        <translation>3001 (Estone-1)</translation>
    </message>
    <message>
        <source>3002 (Estonian-2)</source>
        <translation>3002 (Estone-2)</translation>
    </message>
    <message>
        <source>3011 (Latvian-1)</source>
        <translation>3011 (Lettone-1)</translation>
    </message>
    <message>
        <source>3012 (Latvian-2)</source>
        <translation>3012 (Lettone-2)</translation>
    </message>
    <message>
        <source>3021 (Bulgarian)</source>
        <translation>3021 (Bulgaro)</translation>
    </message>
    <message>
        <source>3041 (Maltese)</source>
        <translation>3041 (Maltese)</translation>
    </message>
    <message>
        <source>User Setting (Downloaded)</source>
        <translation>Utente (scaricata)</translation>
    </message>
    <message>
        <source>No Slash</source>
        <translation>Senza barra</translation>
    </message>
    <message>
        <source>Slash</source>
        <translation>Con barra</translation>
    </message>
    <message>
        <source>12 dot</source>
        <translation>12 punti</translation>
    </message>
    <message>
        <source>15 dot</source>
        <translation>15 punti</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>No additional spacing</source>
        <translation>Nessuna spaziatura</translation>
    </message>
    <message>
        <source>1 dot spacing</source>
        <translation>Spaziatura 1 punto</translation>
    </message>
    <message>
        <source>2 dot spacing</source>
        <translation>Spaziatura 2 punti</translation>
    </message>
    <message>
        <source>3 dot spacing</source>
        <translation>Spaziatura 3 punti</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Massimo</translation>
    </message>
    <message>
        <source>130% (Darkest)</source>
        <translation>130% (più scuro)</translation>
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
        <translation>Densità ottimale</translation>
    </message>
    <message>
        <source>82mm (80mm print area)</source>
        <translation>82mm (stampa 80mm)</translation>
    </message>
    <message>
        <source>80mm (72mm print area)</source>
        <translation>80mm (stampa 72mm)</translation>
    </message>
    <message>
        <source>58mm (52.5mm print area)</source>
        <translation>58mm (stampa 52,5mm)</translation>
    </message>
</context>
<context>
    <name>Q6::Messages</name>
    <message>
        <source>Corrupt preset file</source>
        <translation>File di preimpostazione danneggiato</translation>
    </message>
    <message>
        <source>This preset file is designed for a later version of the QLX600 Setup Utility!</source>
        <translation>Questo file di preimpostazione è per una versione più recente del QLX600 Setup Utility!</translation>
    </message>
    <message>
        <source>Incorrect Preset File</source>
        <translation>File di preimpostazione errato</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; does not appear to be a preset file.
  This may be a corrupt file or it may require a more revent version of the Vorla QLX600 Setup utility.</source>
        <translation>&apos;%1&apos; non sembra un file di preimpostazione.
  Il file può essere danneggiato o richiedere una versione più recente del Vorla QLX600 Setup Utility.</translation>
    </message>
    <message>
        <source>The &apos;Optimum&apos; print speed option acheives the highest possible output quality to acheive good results even on unsensitive paper types.<byte value="xd"/>
Combine the setting with 130% density for maximum quality (at 120mm/second)<byte value="xd"/>
or 120% density for second highest quality (at 140mm/second.</source>
        <translation>La velocità &apos;Optimum&apos; offre la massima qualità possibile, con buoni risultati anche su carte poco sensibili.<byte value="xd"/>
Abbinarla alla densità 130% per la qualità massima (a 120 mm/s)<byte value="xd"/>
o al 120% per la seconda qualità migliore (a 140 mm/s).</translation>
    </message>
    <message>
        <source>Reset - Are You Sure?</source>
        <translation>Ripristino - Continuare?</translation>
    </message>
    <message>
        <source>WARNING:<byte value="xd"/>
If your printer is currently configured for ticket or label printing (black mark detect)<byte value="xd"/>
then resetting it will cause it to revert to &apos;receipt&apos; mode. Using black marked paper<byte value="xd"/>
stock then the printer is in receipt mode will cause errors.</source>
        <translation>ATTENZIONE:<byte value="xd"/>
Se la stampante è configurata per biglietti o etichette (rilevamento tacca nera),<byte value="xd"/>
il ripristino la riporta in modalità &apos;scontrino&apos;. Usare carta con tacche nere<byte value="xd"/>
in modalità scontrino causa errori.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informazioni</translation>
    </message>
</context>
<context>
    <name>Q6::Settings</name>
    <message>
        <source>Action on form feed (&lt;FF&gt;) instruction</source>
        <translation>Azione su avanzamento pagina (&lt;FF&gt;)</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>ID dispositivo</translation>
    </message>
    <message>
        <source>Top Search</source>
        <translation>Ricerca inizio modulo</translation>
    </message>
    <message>
        <source>Near End Paper Sensor</source>
        <translation>Sensore carta in esaurimento</translation>
    </message>
    <message>
        <source>&lt;CR&gt; Code</source>
        <translation>Codice &lt;CR&gt;</translation>
    </message>
    <message>
        <source>International Character Set</source>
        <translation>Set di caratteri internazionale</translation>
    </message>
    <message>
        <source>Code Page</source>
        <translation>Tabella codici</translation>
    </message>
    <message>
        <source>Zero Style</source>
        <translation>Stile dello zero</translation>
    </message>
    <message>
        <source>Line Spacing</source>
        <translation>Interlinea</translation>
    </message>
    <message>
        <source>Default Print Density</source>
        <translation>Densità di stampa</translation>
    </message>
    <message>
        <source>Print Speed</source>
        <translation>Velocità di stampa</translation>
    </message>
    <message>
        <source>Start Position Detect</source>
        <translation>Rilevamento inizio</translation>
    </message>
    <message>
        <source>Cut Position Adjustment</source>
        <translation>Regolazione posizione di taglio</translation>
    </message>
    <message>
        <source>Character Spacing</source>
        <translation>Spaziatura caratteri</translation>
    </message>
    <message>
        <source>Paper Width</source>
        <translation>Larghezza carta</translation>
    </message>
    <message>
        <source>ESC/POS Print Columns</source>
        <translation>Colonne ESC/POS</translation>
    </message>
    <message>
        <source>ESC/POS Font Size</source>
        <translation>Dimensione font ESC/POS</translation>
    </message>
    <message>
        <source>ESC/POS Default Character Spacing</source>
        <translation>Spaziatura ESC/POS predefinita</translation>
    </message>
    <message>
        <source>Contextual Auto Cut</source>
        <translation>Taglio automatico</translation>
    </message>
    <message>
        <source>No. of Line Feeds</source>
        <translation>N. avanzamenti riga</translation>
    </message>
</context>
<context>
    <name>Q6::Tests</name>
    <message>
        <source>Line Feed</source>
        <translation>Avanz. riga</translation>
    </message>
    <message>
        <source>Form Feed</source>
        <translation>Avanz. pagina</translation>
    </message>
    <message>
        <source>Feed 5cm</source>
        <translation>Avanz. 5 cm</translation>
    </message>
    <message>
        <source>Full Cut</source>
        <translation>Taglio totale</translation>
    </message>
    <message>
        <source>Partial Cut</source>
        <translation>Taglio parziale</translation>
    </message>
    <message>
        <source>Feed + Full Cut</source>
        <translation>Avanz. + taglio</translation>
    </message>
    <message>
        <source>Feed + Partial Cut</source>
        <translation>Avanz. + taglio parz.</translation>
    </message>
    <message>
        <source>Cash Drawer 1</source>
        <translation>Cassetto 1</translation>
    </message>
    <message>
        <source>Cash Drawer 2</source>
        <translation>Cassetto 2</translation>
    </message>
    <message>
        <source>Print Self Test</source>
        <translation>Autotest</translation>
    </message>
    <message>
        <source>Character Set</source>
        <translation>Set caratteri</translation>
    </message>
    <message>
        <source>Print Ticket Test</source>
        <translation>Prova biglietti</translation>
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
        <translation>&amp;Sì</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Could not store the selected printer model. %1</source>
        <translation>Impossibile salvare il modello di stampante scelto. %1</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Generale</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualità</translation>
    </message>
    <message>
        <source>Tickets</source>
        <translation>Biglietti</translation>
    </message>
    <message>
        <source>Characters</source>
        <translation>Caratteri</translation>
    </message>
    <message>
        <source>Emulation</source>
        <translation>Emulazione</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Prove</translation>
    </message>
    <message>
        <source>Adjust Cut Position</source>
        <translation>Regola il taglio</translation>
    </message>
    <message>
        <source>QLX500/600 Setup Utility</source>
        <translation>QLX500/600 Setup Utility</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versione:</translation>
    </message>
    <message>
        <source>Printer Model:</source>
        <translation>Modello:</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Comunicazione</translation>
    </message>
    <message>
        <source>Setup the method of cummunication with your printer.</source>
        <translation>Imposta il modo di comunicare con la stampante.</translation>
    </message>
    <message>
        <source>Click here first to establish communication with your printer.</source>
        <translation>Fare clic qui per prima cosa per stabilire la comunicazione con la stampante.</translation>
    </message>
    <message>
        <source>Print a self-test page on the connected printer.</source>
        <translation>Stampa una pagina di autotest sulla stampante collegata.</translation>
    </message>
    <message>
        <source>Print a self-test. Check that communication settings are correct first.</source>
        <translation>Stampa un autotest. Verificare prima le impostazioni di comunicazione.</translation>
    </message>
    <message>
        <source>Use Settings</source>
        <translation>Invia</translation>
    </message>
    <message>
        <source>Send new settings to the connected printer.</source>
        <translation>Invia le nuove impostazioni alla stampante collegata.</translation>
    </message>
    <message>
        <source>Write current settings to your printer.</source>
        <translation>Scrive le impostazioni attuali nella stampante.</translation>
    </message>
    <message>
        <source>Clear All Settings</source>
        <translation>Cancella tutto</translation>
    </message>
    <message>
        <source>Clear all printer memory switch settings (factory default)</source>
        <translation>Cancella tutti gli interruttori di memoria (impostazioni di fabbrica)</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Preimpostazioni</translation>
    </message>
    <message>
        <source>Select a preset configuration</source>
        <translation>Scegliere una configurazione preimpostata</translation>
    </message>
    <message>
        <source>Click here to use a preset printer mode.</source>
        <translation>Fare clic qui per usare una modalità preimpostata.</translation>
    </message>
    <message>
        <source>Black Mark Ticket Test</source>
        <translation>Prova biglietti con tacca nera</translation>
    </message>
    <message>
        <source>This button will print a small test of three tickets. Please note that you must have already turned on black mark sensing (Set &apos;Start Position Detect&apos; to On), and you must have suitable ticket paper (with black sensor marks printed on the reverse side).</source>
        <translation>Stampa una piccola prova di tre biglietti. Il rilevamento tacca nera deve essere attivo (&apos;Rilevamento inizio&apos; su Attivato) e serve carta adatta (con tacche nere sul retro).</translation>
    </message>
    <message>
        <source>Hardware Tests</source>
        <translation>Prove hardware</translation>
    </message>
    <message>
        <source>Pheripheral device test (using default pulse time):</source>
        <translation>Prova periferiche (impulso standard):</translation>
    </message>
    <message>
        <source>Paper Feed Tests:</source>
        <translation>Prove avanzamento:</translation>
    </message>
    <message>
        <source>Autocutter Tests:</source>
        <translation>Prove taglierina:</translation>
    </message>
    <message>
        <source>Print Tests:</source>
        <translation>Prove di stampa:</translation>
    </message>
    <message>
        <source>Enable/Disable ALP mode</source>
        <translation>Attiva/disattiva modalità ALP</translation>
    </message>
    <message>
        <source>Use this to define the behaviour of the printer on receiving a Form Feed (&lt;FF&gt;) command.</source>
        <translation>Definisce il comportamento della stampante alla ricezione di un avanzamento pagina (&lt;FF&gt;).</translation>
    </message>
    <message>
        <source>Turn on Device ID to make the printer automatically detectable by Windows (Plug and Play).</source>
        <translation>Attivare l&apos;ID perché Windows rilevi la stampante automaticamente (Plug and Play).</translation>
    </message>
    <message>
        <source>Some systems expect the &lt;CR&gt; code to perform a line feed. Enabling this code could cause double spaced lines on systems that do not require it.</source>
        <translation>Alcuni sistemi si aspettano un avanzamento riga con &lt;CR&gt;. Altrove può raddoppiare l&apos;interlinea.</translation>
    </message>
    <message>
        <source>When the paper roll is nearly finished the printers error LED will flash as a &apos;paper low&apos; warning. This can be dissabled for rear fed paper.</source>
        <translation>Con il rotolo quasi finito il LED di errore lampeggia (&apos;carta scarsa&apos;). Disattivabile con carta dal retro.</translation>
    </message>
    <message>
        <source>If using a paper roll width other than the default (80mm) it can be selected here to ensure that the printer uses suitable margins.</source>
        <translation>Se il rotolo non è da 80mm (standard), sceglierne qui la larghezza per avere margini adatti.</translation>
    </message>
    <message>
        <source>If your existing software does not issue a cut command then you can configure the printer to automatically cut on receipt of a series of line feeds.</source>
        <translation>Se il software non invia un comando di taglio, la stampante può tagliare da sé dopo una serie di avanzamenti riga.</translation>
    </message>
    <message>
        <source>Set the default print density, may be required to improve quality on thick or low quality paper.</source>
        <translation>Densità predefinita; può migliorare la qualità su carta spessa o scadente.</translation>
    </message>
    <message>
        <source>Print speed can be reduced to improve quality on very thick paper/thin card or paper that is not sensitive enough for full speed printing.</source>
        <translation>Ridurre la velocità migliora la qualità su carta molto spessa, cartoncino sottile o carta poco sensibile.</translation>
    </message>
    <message>
        <source>Automaticaly locate the start of labels/tickets by detecting a black mark. Cut position adjustment or printer calibration may be required.</source>
        <translation>Trova l&apos;inizio di etichette/biglietti tramite una tacca nera. Può servire regolare il taglio o calibrare.</translation>
    </message>
    <message>
        <source>Adjust the cut position (relative to the black mark) by enableing the &apos;Adjust Cut Position&apos; check box and clicking on the diagram or entering a measurement in mm.</source>
        <translation>Regolare il taglio (rispetto alla tacca nera): spuntare &apos;Regola il taglio&apos;, poi fare clic sullo schema o inserire un valore in mm.</translation>
    </message>
    <message>
        <source>For Windows driver use this should normally be left set to &apos;USA&apos;. Older applications which communicate with the printer directyl (many DOS applications) may require a different setting</source>
        <translation>Con il driver Windows lasciare di norma &apos;USA&apos;. Programmi vecchi che comunicano direttamente con la stampante (DOS) possono richiedere altro.</translation>
    </message>
    <message>
        <source>This should be set to the same code page that your application is using, under Western versions of Windows this is &apos;CP1252 (Windows Latin 1)&apos;</source>
        <translation>Usare la stessa tabella codici dell&apos;applicazione; in Windows occidentale è &apos;CP1252 (Windows Latin 1)&apos;.</translation>
    </message>
    <message>
        <source>Select the style of zero character used for resident printer fonts (not Windows TrueType&apos;s).</source>
        <translation>Stile dello zero nei font residenti (non nei TrueType di Windows).</translation>
    </message>
    <message>
        <source>Select the default line spacing for the printer&apos;s internal fonts.This will not affect the line spacing when printing via the standard Windows printer drivers.</source>
        <translation>Interlinea dei font interni. Non influisce sulla stampa tramite i driver Windows.</translation>
    </message>
    <message>
        <source>Select the character spacing of the printers internal font. The default is 12 dot.</source>
        <translation>Spaziatura del font interno. Lo standard è 12 punti.</translation>
    </message>
    <message>
        <source>In ESC/POS mode the default number of columns printed is reduced for compatibility. Selecting &apos;Maximum&apos; will enable the maximum possible number of characters to be printed.</source>
        <translation>In modalità ESC/POS le colonne sono ridotte per compatibilità. &apos;Massimo&apos; stampa più caratteri possibile.</translation>
    </message>
    <message>
        <source>Vorla QLX500/600 Setup Utility</source>
        <translation>Vorla QLX500/600 Setup Utility</translation>
    </message>
    <message>
        <source>%1 - Advanced Mode</source>
        <translation>%1 - Modalità avanzata</translation>
    </message>
    <message>
        <source>When this feature is enabled the printer will perform a reverse feed to the top of form at the start of a print job (only after a full cut to prevent paper jam&apos;s). For the %1 firmware version 2.1 or later is required.</source>
        <translation>Se attiva, la stampante arretra fino all&apos;inizio modulo all&apos;avvio di un lavoro (solo dopo un taglio totale, per evitare inceppamenti). La %1 richiede firmware 2.1 o successivo.</translation>
    </message>
    <message>
        <source>This option selects an alternative (larger) font for use in ESC/POS mode. This may be useful when the printer is used to replace a 180dpi printer. This feature requires Version %1 or later firmware.</source>
        <translation>Font più grande per la modalità ESC/POS, utile per sostituire una stampante a 180 dpi. Richiede firmware %1 o successivo.</translation>
    </message>
    <message>
        <source>Increasing the default character spacing can (in combination with the larger font) help simulate the output of 180dpi printers. It is recommended to use 1 dot spacing  and enable &apos;Maximum ESC/POS Print Columns&apos;. This feature requires version %1  or later firmware.</source>
        <translation>Più spaziatura (con il font grande) imita una stampante a 180 dpi. Consigliati: 1 punto e colonne ESC/POS &apos;Massimo&apos;. Richiede firmware %1 o successivo.</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>Registro...</translation>
    </message>
    <message>
        <source>See the record of what this computer sent to the connected printer.</source>
        <translation>Vedi il registro di ciò che questo computer ha inviato alla stampante collegata.</translation>
    </message>
    <message>
        <source>Show what your printer was sent and what it holds.</source>
        <translation>Mostra cosa ha ricevuto la stampante e cosa contiene.</translation>
    </message>
    <message>
        <source>No printer connection is set up yet, so there is no printer to show the record of.
Press Communication to set one up first.</source>
        <translation>Non è ancora configurata alcuna connessione alla stampante, quindi non c&apos;è una stampante di cui mostrare il registro.
Configuratene prima una con Comunicazione.</translation>
    </message>
</context>
<context>
    <name>frmPort</name>
    <message>
        <source>Communication Settings</source>
        <translation>Impostazioni di comunicazione</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Applica</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>frmPresets</name>
    <message>
        <source>Preset Settings</source>
        <translation>Preimpostazioni</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Applica</translation>
    </message>
    <message>
        <source>Save New</source>
        <translation>Salva nuovo</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>frmRecord</name>
    <message>
        <source>unfinished</source>
        <translation>incompleto</translation>
    </message>
    <message>
        <source>delivered</source>
        <translation>consegnato</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fallito</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>non inviato</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 di %2</translation>
    </message>
    <message>
        <source>factory</source>
        <translation>di fabbrica</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>sconosciuto</translation>
    </message>
    <message>
        <source>Nothing has been sent with this computer&apos;s record yet.</source>
        <translation>Non è stato ancora inviato nulla con il registro di questo computer.</translation>
    </message>
    <message>
        <source>The record at %1 cannot be read: %2</source>
        <translation>Impossibile leggere il registro %1: %2</translation>
    </message>
    <message>
        <source>The record holds nothing sent to this printer yet.</source>
        <translation>Il registro non contiene ancora nulla inviato a questa stampante.</translation>
    </message>
    <message>
        <source>The newest %1 entries are shown; the record holds older ones too (q6config-cli history lists them all).</source>
        <translation>Sono mostrate le %1 voci più recenti; il registro ne contiene anche di più vecchie (q6config-cli history le elenca tutte).</translation>
    </message>
    <message>
        <source>Printer Record</source>
        <translation>Registro della stampante</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quando</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>Chi</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Cosa</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Esito</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Byte</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Inviato</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Impostazione</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valore</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>Dal</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Da</translation>
    </message>
    <message>
        <source>Unknown: the record cannot say what the printer holds, because nothing sent from this computer has set it, or an exchange that would have was cut short. Use Settings or Clear All Settings makes it known again.</source>
        <translation>Sconosciuto: il registro non può dire cosa contiene la stampante, perché nulla di quanto inviato da questo computer lo ha impostato, oppure uno scambio che lo avrebbe impostato è stato interrotto. Invia o Cancella tutto lo rendono di nuovo noto.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Printer: %1</source>
        <translation>Stampante: %1</translation>
    </message>
    <message>
        <source>Printer: %1 (%2)</source>
        <translation>Stampante: %1 (%2)</translation>
    </message>
    <message>
        <source>Record: %1</source>
        <translation>Registro: %1</translation>
    </message>
</context>
</TS>
