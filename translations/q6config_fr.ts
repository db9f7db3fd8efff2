<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>Orvanel::ConnectionTest</name>
    <message>
        <source>Test</source>
        <translation>Tester</translation>
    </message>
    <message>
        <source>Open the connection as filled in above and close it again, sending nothing.</source>
        <translation>Ouvre la connexion définie ci-dessus puis la referme, sans rien envoyer.</translation>
    </message>
    <message>
        <source>Testing (at most %1 ms)...</source>
        <translation>Test en cours (%1 ms au plus)...</translation>
    </message>
    <message>
        <source>Testing...</source>
        <translation>Test en cours...</translation>
    </message>
</context>
<context>
    <name>Orvanel::FoundPrinters</name>
    <message>
        <source>Printers found:</source>
        <translation>Imprimantes trouvées :</translation>
    </message>
    <message>
        <source>Find printers</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source> - stored as %1</source>
        <translation> - enregistrée sous %1</translation>
    </message>
    <message>
        <source> - stored as %1: this computer does not resolve %2</source>
        <translation> - enregistrée sous %1 : cet ordinateur ne résout pas %2</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Recherche en cours...</translation>
    </message>
    <message>
        <source>searching...</source>
        <translation>recherche...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
</context>
<context>
    <name>Orvanel::LinkSettingsPanel</name>
    <message>
        <source>Connection:</source>
        <translation>Connexion :</translation>
    </message>
    <message>
        <source>host name or IP address</source>
        <translation>nom d&apos;hôte ou adresse IP</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>Hôte :</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Printer queue:</source>
        <translation>File d&apos;impression :</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Device or file:</source>
        <translation>Périphérique ou fichier :</translation>
    </message>
    <message>
        <source>Serial port:</source>
        <translation>Port série :</translation>
    </message>
    <message>
        <source>Baud rate:</source>
        <translation>Débit (bauds) :</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Bits de données :</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Parité :</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Bits d&apos;arrêt :</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Contrôle de flux :</translation>
    </message>
    <message>
        <source>Time limit (ms):</source>
        <translation>Délai max. (ms) :</translation>
    </message>
    <message>
        <source>Printer device or capture file</source>
        <translation>Périphérique d&apos;impression ou fichier de capture</translation>
    </message>
</context>
<context>
    <name>Orvanel::Quenlink</name>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab first and choose how this computer reaches the printer.</source>
        <translation> Cliquez d&apos;abord sur « Communication » dans l&apos;onglet Accueil et choisissez comment cet ordinateur joint l&apos;imprimante.</translation>
    </message>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab to fix it.</source>
        <translation> Corrigez-le via « Communication » dans l&apos;onglet Accueil.</translation>
    </message>
    <message>
        <source> Fix or remove that file, then press &quot;Communication&quot; on the Main tab.</source>
        <translation> Réparez ou supprimez ce fichier, puis cliquez sur « Communication » dans l&apos;onglet Accueil.</translation>
    </message>
</context>
<context>
    <name>Q6::Link</name>
    <message>
        <source>Network (TCP/IP)</source>
        <translation>Réseau (TCP/IP)</translation>
    </message>
    <message>
        <source>Printer queue</source>
        <translation>File d&apos;impression</translation>
    </message>
    <message>
        <source>File or device</source>
        <translation>Fichier ou périphérique</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Port série</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Paire</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Impaire</translation>
    </message>
    <message>
        <source>Hardware (RTS/CTS)</source>
        <translation>Matériel (RTS/CTS)</translation>
    </message>
    <message>
        <source>Software (XON/XOFF)</source>
        <translation>Logiciel (XON/XOFF)</translation>
    </message>
</context>
<context>
    <name>Q6::Lists</name>
    <message>
        <source>No Change</source>
        <translation>Inchangé</translation>
    </message>
    <message>
        <source>Feed (No cut)</source>
        <translation>Avance (sans coupe)</translation>
    </message>
    <message>
        <source>Full Cut</source>
        <translation>Coupe totale</translation>
    </message>
    <message>
        <source>Partial Cut</source>
        <translation>Coupe partielle</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>On: Default ID</source>
        <translation>Activé : ID standard</translation>
    </message>
    <message>
        <source>On: Alternative ID</source>
        <translation>Activé : ID alternatif</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Perform Line Feed</source>
        <translation>Saut de ligne</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Enabled - Full Cut</source>
        <translation>Activé - Coupe totale</translation>
    </message>
    <message>
        <source>Enabled - Partial Cut</source>
        <translation>Activé - Coupe part.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Reverse to 3mm</source>
        <translation>Recul à 3mm</translation>
    </message>
    <message>
        <source>Reverse to 7mm</source>
        <translation>Recul à 7mm</translation>
    </message>
    <message>
        <source>USA</source>
        <translation>USA</translation>
    </message>
    <message>
        <source>France</source>
        <translation>France</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Allemagne</translation>
    </message>
    <message>
        <source>U.K.</source>
        <translation>Royaume-Uni</translation>
    </message>
    <message>
        <source>Denmark #1</source>
        <translation>Danemark 1</translation>
    </message>
    <message>
        <source>Sweden</source>
        <translation>Suède</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Italie</translation>
    </message>
    <message>
        <source>Spain #1</source>
        <translation>Espagne 1</translation>
    </message>
    <message>
        <source>Japan</source>
        <translation>Japon</translation>
    </message>
    <message>
        <source>Norway</source>
        <translation>Norvège</translation>
    </message>
    <message>
        <source>Denmark #2</source>
        <translation>Danemark 2</translation>
    </message>
    <message>
        <source>Spain #2</source>
        <translation>Espagne 2</translation>
    </message>
    <message>
        <source>Latin America</source>
        <translation>Amérique latine</translation>
    </message>
    <message>
        <source>Korea</source>
        <translation>Corée</translation>
    </message>
    <message>
        <source>Ireland</source>
        <translation>Irlande</translation>
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
        <translation>437 (USA, Europe) </translation>
    </message>
    <message>
        <source>Katakana</source>
        <translation>Katakana</translation>
    </message>
    <message>
        <source>437(USA,std. Europe)</source>
        <translation>437 (USA, Europe)</translation>
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
        <translation>860 (Portugais)</translation>
    </message>
    <message>
        <source>861 (Icelandic)</source>
        <translation>861 (Islandais)</translation>
    </message>
    <message>
        <source>863 (Canadian Frence)</source>
        <translation>863 (Franco-canadien)</translation>
    </message>
    <message>
        <source>865 (Nordic)</source>
        <translation>865 (Nordique)</translation>
    </message>
    <message>
        <source>866 (Cyrillic Russian)</source>
        <translation>866 (Cyrill. russe)</translation>
    </message>
    <message>
        <source>855 (Cyrillic Bulgarian)</source>
        <translation>855 (Cyrill. bulgare)</translation>
    </message>
    <message>
        <source>857 (Turkish)</source>
        <translation>857 (Turc)</translation>
    </message>
    <message>
        <source>862 (Hebrew)</source>
        <translation>862 (Hébreu)</translation>
    </message>
    <message>
        <source>864 (Arabic)</source>
        <translation>864 (Arabe)</translation>
    </message>
    <message>
        <source>737 (Greek)</source>
        <translation>737 (Grec)</translation>
    </message>
    <message>
        <source>851 (Greek)</source>
        <translation>851 (Grec)</translation>
    </message>
    <message>
        <source>869 (Greek)</source>
        <translation>869 (Grec)</translation>
    </message>
    <message>
        <source>928 (Greek)</source>
        <translation>928 (Grec)</translation>
    </message>
    <message>
        <source>772 (Lithuanian)</source>
        <translation>772 (Lituanien)</translation>
    </message>
    <message>
        <source>774 (Lithuanian)</source>
        <translation>774 (Lituanien)</translation>
    </message>
    <message>
        <source>874 (Thai)</source>
        <translation>874 (Thaï)</translation>
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
        <translation>1251 (Windows cyrill.)</translation>
    </message>
    <message>
        <source>3840 (IBM-Russian)</source>
        <translation>3840 (IBM-Russe)</translation>
    </message>
    <message>
        <source>3841 (Gost)</source>
        <translation>3841 (GOST)</translation>
    </message>
    <message>
        <source>3843 (Polish)</source>
        <translation>3843 (Polonais)</translation>
    </message>
    <message>
        <source>3844 (CS2)</source>
        <translation>3844 (CS2)</translation>
    </message>
    <message>
        <source>3845 (Hungarian)</source>
        <translation>3845 (Hongrois)</translation>
    </message>
    <message>
        <source>3846 (Turkish)</source>
        <translation>3846 (Turc)</translation>
    </message>
    <message>
        <source>3847 (Brazil-ABNT)</source>
        <translation>3847 (Brésil-ABNT)</translation>
    </message>
    <message>
        <source>3848 (Brazil-ABICOMP)</source>
        <translation>3848 (Brésil-ABICOMP)</translation>
    </message>
    <message>
        <source>1001 (Arabic)</source>
        <translation>1001 (Arabe)</translation>
    </message>
    <message>
        <source>2001 (Lithuaninan-KBL)</source>
        <translation>2001 (Lituanien-KBL)</translation>
    </message>
    <message>
        <source>3001 (Estonian-1)</source>
        <translation>3001 (Estonien-1)</translation>
    </message>
    <message>
        <source>3002 (Estonian-2)</source>
        <translation>3002 (Estonien-2)</translation>
    </message>
    <message>
        <source>3011 (Latvian-1)</source>
        <translation>3011 (Letton-1)</translation>
    </message>
    <message>
        <source>3012 (Latvian-2)</source>
        <translation>3012 (Letton-2)</translation>
    </message>
    <message>
        <source>3021 (Bulgarian)</source>
        <translation>3021 (Bulgare)</translation>
    </message>
    <message>
        <source>3041 (Maltese)</source>
        <translation>3041 (Maltais)</translation>
    </message>
    <message>
        <source>User Setting (Downloaded)</source>
        <translation>Utilisateur (chargée)</translation>
    </message>
    <message>
        <source>No Slash</source>
        <translation>Sans barre</translation>
    </message>
    <message>
        <source>Slash</source>
        <translation>Barré</translation>
    </message>
    <message>
        <source>12 dot</source>
        <translation>12 points</translation>
    </message>
    <message>
        <source>15 dot</source>
        <translation>15 points</translation>
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
        <translation>Sans espacement</translation>
    </message>
    <message>
        <source>1 dot spacing</source>
        <translation>Espacement 1 point</translation>
    </message>
    <message>
        <source>2 dot spacing</source>
        <translation>Espacement 2 points</translation>
    </message>
    <message>
        <source>3 dot spacing</source>
        <translation>Espacement 3 points</translation>
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
        <translation>130% (le plus foncé)</translation>
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
        <translation>Densité optimale</translation>
    </message>
    <message>
        <source>82mm (80mm print area)</source>
        <translation>82mm (impr. 80mm)</translation>
    </message>
    <message>
        <source>80mm (72mm print area)</source>
        <translation>80mm (impr. 72mm)</translation>
    </message>
    <message>
        <source>58mm (52.5mm print area)</source>
        <translation>58mm (impr. 52,5mm)</translation>
    </message>
</context>
<context>
    <name>Q6::Messages</name>
    <message>
        <source>Corrupt preset file</source>
        <translation>Fichier de préréglage endommagé</translation>
    </message>
    <message>
        <source>This preset file is designed for a later version of the QLX600 Setup Utility!</source>
        <translation>Ce fichier de préréglage est prévu pour une version plus récente du QLX600 Setup Utility !</translation>
    </message>
    <message>
        <source>Incorrect Preset File</source>
        <translation>Fichier de préréglage incorrect</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; does not appear to be a preset file.
  This may be a corrupt file or it may require a more revent version of the Vorla QLX600 Setup utility.</source>
        <translation>Le préréglage &apos;%1&apos; ne semble pas être un fichier de préréglage.
  Le fichier est peut-être endommagé ou nécessite une version plus récente du Vorla QLX600 Setup Utility.</translation>
    </message>
    <message>
        <source>The &apos;Optimum&apos; print speed option acheives the highest possible output quality to acheive good results even on unsensitive paper types.<byte value="xd"/>
Combine the setting with 130% density for maximum quality (at 120mm/second)<byte value="xd"/>
or 120% density for second highest quality (at 140mm/second.</source>
        <translation>La vitesse d&apos;impression &apos;Optimum&apos; donne la meilleure qualité possible, même sur des papiers peu sensibles.<byte value="xd"/>
Combinez-la avec une densité de 130% pour une qualité maximale (à 120 mm/s)<byte value="xd"/>
ou de 120% pour la deuxième meilleure qualité (à 140 mm/s).</translation>
    </message>
    <message>
        <source>Reset - Are You Sure?</source>
        <translation>Réinitialiser - Êtes-vous sûr ?</translation>
    </message>
    <message>
        <source>WARNING:<byte value="xd"/>
If your printer is currently configured for ticket or label printing (black mark detect)<byte value="xd"/>
then resetting it will cause it to revert to &apos;receipt&apos; mode. Using black marked paper<byte value="xd"/>
stock then the printer is in receipt mode will cause errors.</source>
        <translation>ATTENTION :<byte value="xd"/>
Si votre imprimante est configurée pour les billets ou étiquettes (détection de marque noire),<byte value="xd"/>
la réinitialisation la remet en mode &apos;ticket de caisse&apos;. Utiliser du papier à marques noires<byte value="xd"/>
en mode ticket de caisse provoque des erreurs.</translation>
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
        <translation>Action sur saut de page (&lt;FF&gt;)</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>ID du périphérique</translation>
    </message>
    <message>
        <source>Top Search</source>
        <translation>Recherche du haut de page</translation>
    </message>
    <message>
        <source>Near End Paper Sensor</source>
        <translation>Capteur de fin de papier</translation>
    </message>
    <message>
        <source>&lt;CR&gt; Code</source>
        <translation>Code &lt;CR&gt;</translation>
    </message>
    <message>
        <source>International Character Set</source>
        <translation>Jeu de caractères international</translation>
    </message>
    <message>
        <source>Code Page</source>
        <translation>Page de codes</translation>
    </message>
    <message>
        <source>Zero Style</source>
        <translation>Style du zéro</translation>
    </message>
    <message>
        <source>Line Spacing</source>
        <translation>Interligne</translation>
    </message>
    <message>
        <source>Default Print Density</source>
        <translation>Densité d&apos;impression</translation>
    </message>
    <message>
        <source>Print Speed</source>
        <translation>Vitesse d&apos;impression</translation>
    </message>
    <message>
        <source>Start Position Detect</source>
        <translation>Détection de début</translation>
    </message>
    <message>
        <source>Cut Position Adjustment</source>
        <translation>Réglage de la coupe</translation>
    </message>
    <message>
        <source>Character Spacing</source>
        <translation>Espacement des caractères</translation>
    </message>
    <message>
        <source>Paper Width</source>
        <translation>Largeur du papier</translation>
    </message>
    <message>
        <source>ESC/POS Print Columns</source>
        <translation>Colonnes ESC/POS</translation>
    </message>
    <message>
        <source>ESC/POS Font Size</source>
        <translation>Taille de police ESC/POS</translation>
    </message>
    <message>
        <source>ESC/POS Default Character Spacing</source>
        <translation>Espacement ESC/POS par défaut</translation>
    </message>
    <message>
        <source>Contextual Auto Cut</source>
        <translation>Coupe automatique</translation>
    </message>
    <message>
        <source>No. of Line Feeds</source>
        <translation>Nb de sauts de ligne</translation>
    </message>
</context>
<context>
    <name>Q6::Tests</name>
    <message>
        <source>Line Feed</source>
        <translation>Saut de ligne</translation>
    </message>
    <message>
        <source>Form Feed</source>
        <translation>Saut de page</translation>
    </message>
    <message>
        <source>Feed 5cm</source>
        <translation>Avance 5 cm</translation>
    </message>
    <message>
        <source>Full Cut</source>
        <translation>Coupe totale</translation>
    </message>
    <message>
        <source>Partial Cut</source>
        <translation>Coupe partielle</translation>
    </message>
    <message>
        <source>Feed + Full Cut</source>
        <translation>Avance + coupe</translation>
    </message>
    <message>
        <source>Feed + Partial Cut</source>
        <translation>Avance + coupe part.</translation>
    </message>
    <message>
        <source>Cash Drawer 1</source>
        <translation>Tiroir-caisse 1</translation>
    </message>
    <message>
        <source>Cash Drawer 2</source>
        <translation>Tiroir-caisse 2</translation>
    </message>
    <message>
        <source>Print Self Test</source>
        <translation>Autotest</translation>
    </message>
    <message>
        <source>Character Set</source>
        <translation>Jeu de caract.</translation>
    </message>
    <message>
        <source>Print Ticket Test</source>
        <translation>Test de billets</translation>
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
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Could not store the selected printer model. %1</source>
        <translation>Impossible d&apos;enregistrer le modèle d&apos;imprimante choisi. %1</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Accueil</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <source>Tickets</source>
        <translation>Billets</translation>
    </message>
    <message>
        <source>Characters</source>
        <translation>Caractères</translation>
    </message>
    <message>
        <source>Emulation</source>
        <translation>Émulation</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Tests</translation>
    </message>
    <message>
        <source>Adjust Cut Position</source>
        <translation>Régler la coupe</translation>
    </message>
    <message>
        <source>QLX500/600 Setup Utility</source>
        <translation>QLX500/600 Setup Utility</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version :</translation>
    </message>
    <message>
        <source>Printer Model:</source>
        <translation>Modèle :</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Setup the method of cummunication with your printer.</source>
        <translation>Définit le mode de communication avec votre imprimante.</translation>
    </message>
    <message>
        <source>Click here first to establish communication with your printer.</source>
        <translation>Cliquez d&apos;abord ici pour établir la communication avec l&apos;imprimante.</translation>
    </message>
    <message>
        <source>Print a self-test page on the connected printer.</source>
        <translation>Imprime une page d&apos;autotest sur l&apos;imprimante connectée.</translation>
    </message>
    <message>
        <source>Print a self-test. Check that communication settings are correct first.</source>
        <translation>Imprime un autotest. Vérifiez d&apos;abord les paramètres de communication.</translation>
    </message>
    <message>
        <source>Use Settings</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Send new settings to the connected printer.</source>
        <translation>Envoie les nouveaux paramètres à l&apos;imprimante connectée.</translation>
    </message>
    <message>
        <source>Write current settings to your printer.</source>
        <translation>Écrit les paramètres actuels dans l&apos;imprimante.</translation>
    </message>
    <message>
        <source>Clear All Settings</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Clear all printer memory switch settings (factory default)</source>
        <translation>Efface tous les commutateurs mémoire (réglages d&apos;usine)</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Préréglages</translation>
    </message>
    <message>
        <source>Select a preset configuration</source>
        <translation>Choisir une configuration prédéfinie</translation>
    </message>
    <message>
        <source>Click here to use a preset printer mode.</source>
        <translation>Cliquez ici pour utiliser un mode prédéfini.</translation>
    </message>
    <message>
        <source>Black Mark Ticket Test</source>
        <translation>Test de billets à marque noire</translation>
    </message>
    <message>
        <source>This button will print a small test of three tickets. Please note that you must have already turned on black mark sensing (Set &apos;Start Position Detect&apos; to On), and you must have suitable ticket paper (with black sensor marks printed on the reverse side).</source>
        <translation>Imprime un petit test de trois billets. La détection de marque noire doit être activée (&apos;Détection de début&apos; sur Activé) et un papier adapté (marques noires au verso) doit être chargé.</translation>
    </message>
    <message>
        <source>Hardware Tests</source>
        <translation>Tests matériels</translation>
    </message>
    <message>
        <source>Pheripheral device test (using default pulse time):</source>
        <translation>Test des périphériques (impulsion standard) :</translation>
    </message>
    <message>
        <source>Paper Feed Tests:</source>
        <translation>Tests d&apos;avance :</translation>
    </message>
    <message>
        <source>Autocutter Tests:</source>
        <translation>Tests du massicot :</translation>
    </message>
    <message>
        <source>Print Tests:</source>
        <translation>Tests d&apos;impression :</translation>
    </message>
    <message>
        <source>Enable/Disable ALP mode</source>
        <translation>Activer/désactiver le mode ALP</translation>
    </message>
    <message>
        <source>Use this to define the behaviour of the printer on receiving a Form Feed (&lt;FF&gt;) command.</source>
        <translation>Définit le comportement de l&apos;imprimante à la réception d&apos;un saut de page (&lt;FF&gt;).</translation>
    </message>
    <message>
        <source>Turn on Device ID to make the printer automatically detectable by Windows (Plug and Play).</source>
        <translation>Activez l&apos;ID pour que Windows détecte l&apos;imprimante automatiquement (Plug and Play).</translation>
    </message>
    <message>
        <source>Some systems expect the &lt;CR&gt; code to perform a line feed. Enabling this code could cause double spaced lines on systems that do not require it.</source>
        <translation>Certains systèmes attendent un saut de ligne sur &lt;CR&gt;. Ailleurs, cela peut doubler l&apos;interligne.</translation>
    </message>
    <message>
        <source>When the paper roll is nearly finished the printers error LED will flash as a &apos;paper low&apos; warning. This can be dissabled for rear fed paper.</source>
        <translation>Rouleau presque vide : la LED d&apos;erreur clignote (&apos;papier bas&apos;). Désactivable pour le papier chargé par l&apos;arrière.</translation>
    </message>
    <message>
        <source>If using a paper roll width other than the default (80mm) it can be selected here to ensure that the printer uses suitable margins.</source>
        <translation>Pour un rouleau autre que 80mm (standard), choisissez-le ici pour des marges adaptées.</translation>
    </message>
    <message>
        <source>If your existing software does not issue a cut command then you can configure the printer to automatically cut on receipt of a series of line feeds.</source>
        <translation>Si votre logiciel n&apos;envoie pas de commande de coupe, l&apos;imprimante peut couper après une série de sauts de ligne.</translation>
    </message>
    <message>
        <source>Set the default print density, may be required to improve quality on thick or low quality paper.</source>
        <translation>Densité par défaut ; peut améliorer la qualité sur papier épais ou de faible qualité.</translation>
    </message>
    <message>
        <source>Print speed can be reduced to improve quality on very thick paper/thin card or paper that is not sensitive enough for full speed printing.</source>
        <translation>Réduire la vitesse améliore la qualité sur papier très épais, carton fin ou papier peu sensible.</translation>
    </message>
    <message>
        <source>Automaticaly locate the start of labels/tickets by detecting a black mark. Cut position adjustment or printer calibration may be required.</source>
        <translation>Repère le début des étiquettes/billets par une marque noire. Réglage de coupe ou calibrage parfois requis.</translation>
    </message>
    <message>
        <source>Adjust the cut position (relative to the black mark) by enableing the &apos;Adjust Cut Position&apos; check box and clicking on the diagram or entering a measurement in mm.</source>
        <translation>Réglez la coupe (par rapport à la marque noire) : cochez &apos;Régler la coupe&apos;, puis cliquez sur le schéma ou saisissez une valeur en mm.</translation>
    </message>
    <message>
        <source>For Windows driver use this should normally be left set to &apos;USA&apos;. Older applications which communicate with the printer directyl (many DOS applications) may require a different setting</source>
        <translation>Avec le pilote Windows, laissez normalement &apos;USA&apos;. Les anciens programmes qui pilotent l&apos;imprimante directement (DOS) peuvent exiger un autre réglage.</translation>
    </message>
    <message>
        <source>This should be set to the same code page that your application is using, under Western versions of Windows this is &apos;CP1252 (Windows Latin 1)&apos;</source>
        <translation>Choisissez la page de codes de votre application ; sous Windows occidental : &apos;CP1252 (Windows Latin 1)&apos;.</translation>
    </message>
    <message>
        <source>Select the style of zero character used for resident printer fonts (not Windows TrueType&apos;s).</source>
        <translation>Style du zéro des polices résidentes (pas les polices TrueType de Windows).</translation>
    </message>
    <message>
        <source>Select the default line spacing for the printer&apos;s internal fonts.This will not affect the line spacing when printing via the standard Windows printer drivers.</source>
        <translation>Interligne des polices internes. Sans effet sur l&apos;impression via les pilotes Windows.</translation>
    </message>
    <message>
        <source>Select the character spacing of the printers internal font. The default is 12 dot.</source>
        <translation>Espacement de la police interne. Par défaut : 12 points.</translation>
    </message>
    <message>
        <source>In ESC/POS mode the default number of columns printed is reduced for compatibility. Selecting &apos;Maximum&apos; will enable the maximum possible number of characters to be printed.</source>
        <translation>En mode ESC/POS, le nombre de colonnes est réduit par compatibilité. &apos;Maximum&apos; imprime le plus de caractères possible.</translation>
    </message>
    <message>
        <source>Vorla QLX500/600 Setup Utility</source>
        <translation>Vorla QLX500/600 Setup Utility</translation>
    </message>
    <message>
        <source>%1 - Advanced Mode</source>
        <translation>%1 - Mode avancé</translation>
    </message>
    <message>
        <source>When this feature is enabled the printer will perform a reverse feed to the top of form at the start of a print job (only after a full cut to prevent paper jam&apos;s). For the %1 firmware version 2.1 or later is required.</source>
        <translation>Activée, l&apos;imprimante recule jusqu&apos;au haut de page au début d&apos;un travail (seulement après une coupe totale, pour éviter les bourrages). Le %1 requiert le micrologiciel 2.1 ou plus récent.</translation>
    </message>
    <message>
        <source>This option selects an alternative (larger) font for use in ESC/POS mode. This may be useful when the printer is used to replace a 180dpi printer. This feature requires Version %1 or later firmware.</source>
        <translation>Police plus grande en mode ESC/POS, utile pour remplacer une imprimante 180 dpi. Requiert le micrologiciel %1 ou plus récent.</translation>
    </message>
    <message>
        <source>Increasing the default character spacing can (in combination with the larger font) help simulate the output of 180dpi printers. It is recommended to use 1 dot spacing  and enable &apos;Maximum ESC/POS Print Columns&apos;. This feature requires version %1  or later firmware.</source>
        <translation>Plus d&apos;espacement (avec la grande police) imite une imprimante 180 dpi. Conseillé : 1 point et colonnes ESC/POS &apos;Maximum&apos;. Requiert le micrologiciel %1 ou plus récent.</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>Journal...</translation>
    </message>
    <message>
        <source>See the record of what this computer sent to the connected printer.</source>
        <translation>Voir le journal de ce que cet ordinateur a envoyé à l&apos;imprimante connectée.</translation>
    </message>
    <message>
        <source>Show what your printer was sent and what it holds.</source>
        <translation>Affiche ce que l&apos;imprimante a reçu et ce qu&apos;elle contient.</translation>
    </message>
    <message>
        <source>No printer connection is set up yet, so there is no printer to show the record of.
Press Communication to set one up first.</source>
        <translation>Aucune connexion à une imprimante n&apos;est encore configurée : il n&apos;y a donc pas d&apos;imprimante dont afficher le journal.
Configurez-en d&apos;abord une avec Communication.</translation>
    </message>
</context>
<context>
    <name>frmPort</name>
    <message>
        <source>Communication Settings</source>
        <translation>Paramètres de communication</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmPresets</name>
    <message>
        <source>Preset Settings</source>
        <translation>Préréglages</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Save New</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmRecord</name>
    <message>
        <source>unfinished</source>
        <translation>inachevé</translation>
    </message>
    <message>
        <source>delivered</source>
        <translation>remis</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échoué</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>non envoyé</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>factory</source>
        <translation>usine</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>Nothing has been sent with this computer&apos;s record yet.</source>
        <translation>Rien n&apos;a encore été envoyé avec le journal de cet ordinateur.</translation>
    </message>
    <message>
        <source>The record at %1 cannot be read: %2</source>
        <translation>Le journal %1 ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>The record holds nothing sent to this printer yet.</source>
        <translation>Le journal ne contient encore rien d&apos;envoyé à cette imprimante.</translation>
    </message>
    <message>
        <source>The newest %1 entries are shown; the record holds older ones too (q6config-cli history lists them all).</source>
        <translation>Les %1 entrées les plus récentes sont affichées ; le journal en contient de plus anciennes (q6config-cli history les liste toutes).</translation>
    </message>
    <message>
        <source>Printer Record</source>
        <translation>Journal de l&apos;imprimante</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quand</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>Qui</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Quoi</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Octets</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Raison</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Envoyé</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Paramètre</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>Depuis</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Unknown: the record cannot say what the printer holds, because nothing sent from this computer has set it, or an exchange that would have was cut short. Use Settings or Clear All Settings makes it known again.</source>
        <translation>Inconnu : le journal ne peut pas dire ce que contient l&apos;imprimante, car rien de ce qu&apos;a envoyé cet ordinateur ne l&apos;a réglé, ou un échange qui l&apos;aurait réglé a été interrompu. Envoyer ou Tout effacer le rend de nouveau connu.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Printer: %1</source>
        <translation>Imprimante : %1</translation>
    </message>
    <message>
        <source>Printer: %1 (%2)</source>
        <translation>Imprimante : %1 (%2)</translation>
    </message>
    <message>
        <source>Record: %1</source>
        <translation>Journal : %1</translation>
    </message>
</context>
</TS>
