<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>Orvanel::ConnectionTest</name>
    <message>
        <source>Test</source>
        <translation>Probar</translation>
    </message>
    <message>
        <source>Open the connection as filled in above and close it again, sending nothing.</source>
        <translation>Abre la conexión indicada arriba y la vuelve a cerrar sin enviar nada.</translation>
    </message>
    <message>
        <source>Testing (at most %1 ms)...</source>
        <translation>Probando (máx. %1 ms)...</translation>
    </message>
    <message>
        <source>Testing...</source>
        <translation>Probando...</translation>
    </message>
</context>
<context>
    <name>Orvanel::FoundPrinters</name>
    <message>
        <source>Printers found:</source>
        <translation>Impresoras encontradas:</translation>
    </message>
    <message>
        <source>Find printers</source>
        <translation>Buscar impresoras</translation>
    </message>
    <message>
        <source> - stored as %1</source>
        <translation> - guardada como %1</translation>
    </message>
    <message>
        <source> - stored as %1: this computer does not resolve %2</source>
        <translation> - guardada como %1: este equipo no resuelve %2</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Buscando...</translation>
    </message>
    <message>
        <source>searching...</source>
        <translation>buscando...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguna</translation>
    </message>
</context>
<context>
    <name>Orvanel::LinkSettingsPanel</name>
    <message>
        <source>Connection:</source>
        <translation>Conexión:</translation>
    </message>
    <message>
        <source>host name or IP address</source>
        <translation>nombre de host o dirección IP</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>Host:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>Printer queue:</source>
        <translation>Cola de impresión:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Examinar...</translation>
    </message>
    <message>
        <source>Device or file:</source>
        <translation>Dispositivo o archivo:</translation>
    </message>
    <message>
        <source>Serial port:</source>
        <translation>Puerto serie:</translation>
    </message>
    <message>
        <source>Baud rate:</source>
        <translation>Velocidad (baudios):</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Bits de datos:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Paridad:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Bits de parada:</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Control de flujo:</translation>
    </message>
    <message>
        <source>Time limit (ms):</source>
        <translation>Tiempo límite (ms):</translation>
    </message>
    <message>
        <source>Printer device or capture file</source>
        <translation>Dispositivo de impresora o archivo de captura</translation>
    </message>
</context>
<context>
    <name>Orvanel::Quenlink</name>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab first and choose how this computer reaches the printer.</source>
        <translation> Pulse primero «Comunicación» en la pestaña Inicio y elija cómo llega este equipo a la impresora.</translation>
    </message>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab to fix it.</source>
        <translation> Pulse «Comunicación» en la pestaña Inicio para corregirlo.</translation>
    </message>
    <message>
        <source> Fix or remove that file, then press &quot;Communication&quot; on the Main tab.</source>
        <translation> Repare o elimine ese archivo y pulse «Comunicación» en la pestaña Inicio.</translation>
    </message>
</context>
<context>
    <name>Q6::Link</name>
    <message>
        <source>Network (TCP/IP)</source>
        <translation>Red (TCP/IP)</translation>
    </message>
    <message>
        <source>Printer queue</source>
        <translation>Cola de impresión</translation>
    </message>
    <message>
        <source>File or device</source>
        <translation>Archivo o dispositivo</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Puerto serie</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Impar</translation>
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
        <translation>Sin cambios</translation>
    </message>
    <message>
        <source>Feed (No cut)</source>
        <translation>Avance (sin corte)</translation>
    </message>
    <message>
        <source>Full Cut</source>
        <translation>Corte total</translation>
    </message>
    <message>
        <source>Partial Cut</source>
        <translation>Corte parcial</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>On: Default ID</source>
        <translation>Sí: ID estándar</translation>
    </message>
    <message>
        <source>On: Alternative ID</source>
        <translation>Sí: ID alternativo</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>Perform Line Feed</source>
        <translation>Avance de línea</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activado</translation>
    </message>
    <message>
        <source>Enabled - Full Cut</source>
        <translation>Activado - Corte total</translation>
    </message>
    <message>
        <source>Enabled - Partial Cut</source>
        <translation>Activado - Corte parc.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activado</translation>
    </message>
    <message>
        <source>Reverse to 3mm</source>
        <translation>Retroceso a 3mm</translation>
    </message>
    <message>
        <source>Reverse to 7mm</source>
        <translation>Retroceso a 7mm</translation>
    </message>
    <message>
        <source>USA</source>
        <translation>EE. UU.</translation>
    </message>
    <message>
        <source>France</source>
        <translation>Francia</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Alemania</translation>
    </message>
    <message>
        <source>U.K.</source>
        <translation>Reino Unido</translation>
    </message>
    <message>
        <source>Denmark #1</source>
        <translation>Dinamarca 1</translation>
    </message>
    <message>
        <source>Sweden</source>
        <translation>Suecia</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Italia</translation>
    </message>
    <message>
        <source>Spain #1</source>
        <translation>España 1</translation>
    </message>
    <message>
        <source>Japan</source>
        <translation>Japón</translation>
    </message>
    <message>
        <source>Norway</source>
        <translation>Noruega</translation>
    </message>
    <message>
        <source>Denmark #2</source>
        <translation>Dinamarca 2</translation>
    </message>
    <message>
        <source>Spain #2</source>
        <translation>España 2</translation>
    </message>
    <message>
        <source>Latin America</source>
        <translation>Latinoamérica</translation>
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
        <translation>Normal</translation>
    </message>
    <message>
        <source>437(USA,std. Europe) </source>
        <translation>437 (EE.UU., Europa) </translation>
    </message>
    <message>
        <source>Katakana</source>
        <translation>Katakana</translation>
    </message>
    <message>
        <source>437(USA,std. Europe)</source>
        <translation>437 (EE.UU., Europa)</translation>
    </message>
    <message>
        <source>858 (Multilingual)</source>
        <translation>858 (Multilingüe)</translation>
    </message>
    <message>
        <source>852 (Latin-2)</source>
        <translation>852 (Latin-2)</translation>
    </message>
    <message>
        <source>860 (Portuguese)</source>
        <translation>860 (Portugués)</translation>
    </message>
    <message>
        <source>861 (Icelandic)</source>
        <translation>861 (Islandés)</translation>
    </message>
    <message>
        <source>863 (Canadian Frence)</source>
        <translation>863 (Francocanad.)</translation>
    </message>
    <message>
        <source>865 (Nordic)</source>
        <translation>865 (Nórdico)</translation>
    </message>
    <message>
        <source>866 (Cyrillic Russian)</source>
        <translation>866 (Cirílico ruso)</translation>
    </message>
    <message>
        <source>855 (Cyrillic Bulgarian)</source>
        <translation>855 (Cirílico búlg.)</translation>
    </message>
    <message>
        <source>857 (Turkish)</source>
        <translation>857 (Turco)</translation>
    </message>
    <message>
        <source>862 (Hebrew)</source>
        <translation>862 (Hebreo)</translation>
    </message>
    <message>
        <source>864 (Arabic)</source>
        <translation>864 (Árabe)</translation>
    </message>
    <message>
        <source>737 (Greek)</source>
        <translation>737 (Griego)</translation>
    </message>
    <message>
        <source>851 (Greek)</source>
        <translation>851 (Griego)</translation>
    </message>
    <message>
        <source>869 (Greek)</source>
        <translation>869 (Griego)</translation>
    </message>
    <message>
        <source>928 (Greek)</source>
        <translation>928 (Griego)</translation>
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
        <translation>874 (Tailandés)</translation>
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
        <translation>1251 (Windows cirílico)</translation>
    </message>
    <message>
        <source>3840 (IBM-Russian)</source>
        <translation>3840 (IBM-Ruso)</translation>
    </message>
    <message>
        <source>3841 (Gost)</source>
        <translation>3841 (GOST)</translation>
    </message>
    <message>
        <source>3843 (Polish)</source>
        <translation>3843 (Polaco)</translation>
    </message>
    <message>
        <source>3844 (CS2)</source>
        <translation>3844 (CS2)</translation>
    </message>
    <message>
        <source>3845 (Hungarian)</source>
        <translation>3845 (Húngaro)</translation>
    </message>
    <message>
        <source>3846 (Turkish)</source>
        <translation>3846 (Turco)</translation>
    </message>
    <message>
        <source>3847 (Brazil-ABNT)</source>
        <translation>3847 (Brasil-ABNT)</translation>
    </message>
    <message>
        <source>3848 (Brazil-ABICOMP)</source>
        <translation>3848 (Brasil-ABICOMP)</translation>
    </message>
    <message>
        <source>1001 (Arabic)</source>
        <translation>1001 (Árabe)</translation>
    </message>
    <message>
        <source>2001 (Lithuaninan-KBL)</source>
        <translation>2001 (Lituano-KBL)</translation>
    </message>
    <message>
        <source>3001 (Estonian-1)</source>
        <translation>3001 (Estonio-1)</translation>
    </message>
    <message>
        <source>3002 (Estonian-2)</source>
        <translation>3002 (Estonio-2)</translation>
    </message>
    <message>
        <source>3011 (Latvian-1)</source>
        <translation>3011 (Letón-1)</translation>
    </message>
    <message>
        <source>3012 (Latvian-2)</source>
        <translation>3012 (Letón-2)</translation>
    </message>
    <message>
        <source>3021 (Bulgarian)</source>
        <translation>3021 (Búlgaro)</translation>
    </message>
    <message>
        <source>3041 (Maltese)</source>
        <translation>3041 (Maltés)</translation>
    </message>
    <message>
        <source>User Setting (Downloaded)</source>
        <translation>Usuario (descargada)</translation>
    </message>
    <message>
        <source>No Slash</source>
        <translation>Sin barra</translation>
    </message>
    <message>
        <source>Slash</source>
        <translation>Con barra</translation>
    </message>
    <message>
        <source>12 dot</source>
        <translation>12 puntos</translation>
    </message>
    <message>
        <source>15 dot</source>
        <translation>15 puntos</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Estándar</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>No additional spacing</source>
        <translation>Sin espacio adicional</translation>
    </message>
    <message>
        <source>1 dot spacing</source>
        <translation>Espacio de 1 punto</translation>
    </message>
    <message>
        <source>2 dot spacing</source>
        <translation>Espacio de 2 puntos</translation>
    </message>
    <message>
        <source>3 dot spacing</source>
        <translation>Espacio de 3 puntos</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Estándar</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>130% (Darkest)</source>
        <translation>130% (más oscuro)</translation>
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
        <translation>Densidad óptima</translation>
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
        <translation>Archivo predefinido dañado</translation>
    </message>
    <message>
        <source>This preset file is designed for a later version of the QLX600 Setup Utility!</source>
        <translation>¡Este archivo predefinido es para una versión más reciente del QLX600 Setup Utility!</translation>
    </message>
    <message>
        <source>Incorrect Preset File</source>
        <translation>Archivo predefinido incorrecto</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; does not appear to be a preset file.
  This may be a corrupt file or it may require a more revent version of the Vorla QLX600 Setup utility.</source>
        <translation>&apos;%1&apos; no parece ser un archivo predefinido.
  Puede estar dañado o requerir una versión más reciente del Vorla QLX600 Setup Utility.</translation>
    </message>
    <message>
        <source>The &apos;Optimum&apos; print speed option acheives the highest possible output quality to acheive good results even on unsensitive paper types.<byte value="xd"/>
Combine the setting with 130% density for maximum quality (at 120mm/second)<byte value="xd"/>
or 120% density for second highest quality (at 140mm/second.</source>
        <translation>La velocidad &apos;Optimum&apos; logra la máxima calidad posible, con buenos resultados incluso en papeles poco sensibles.<byte value="xd"/>
Combínela con densidad 130% para la máxima calidad (a 120 mm/s)<byte value="xd"/>
o con 120% para la segunda mejor calidad (a 140 mm/s).</translation>
    </message>
    <message>
        <source>Reset - Are You Sure?</source>
        <translation>Restablecer - ¿Está seguro?</translation>
    </message>
    <message>
        <source>WARNING:<byte value="xd"/>
If your printer is currently configured for ticket or label printing (black mark detect)<byte value="xd"/>
then resetting it will cause it to revert to &apos;receipt&apos; mode. Using black marked paper<byte value="xd"/>
stock then the printer is in receipt mode will cause errors.</source>
        <translation>ADVERTENCIA:<byte value="xd"/>
Si la impresora está configurada para tickets o etiquetas (detección de marca negra),<byte value="xd"/>
al restablecerla volverá al modo &apos;recibo&apos;. Usar papel con marcas negras<byte value="xd"/>
en modo recibo provocará errores.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
</context>
<context>
    <name>Q6::Settings</name>
    <message>
        <source>Action on form feed (&lt;FF&gt;) instruction</source>
        <translation>Acción ante avance de página (&lt;FF&gt;)</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>ID de dispositivo</translation>
    </message>
    <message>
        <source>Top Search</source>
        <translation>Búsqueda de inicio</translation>
    </message>
    <message>
        <source>Near End Paper Sensor</source>
        <translation>Sensor de fin de papel</translation>
    </message>
    <message>
        <source>&lt;CR&gt; Code</source>
        <translation>Código &lt;CR&gt;</translation>
    </message>
    <message>
        <source>International Character Set</source>
        <translation>Juego de caracteres internacional</translation>
    </message>
    <message>
        <source>Code Page</source>
        <translation>Página de códigos</translation>
    </message>
    <message>
        <source>Zero Style</source>
        <translation>Estilo del cero</translation>
    </message>
    <message>
        <source>Line Spacing</source>
        <translation>Interlineado</translation>
    </message>
    <message>
        <source>Default Print Density</source>
        <translation>Densidad de impresión</translation>
    </message>
    <message>
        <source>Print Speed</source>
        <translation>Velocidad de impresión</translation>
    </message>
    <message>
        <source>Start Position Detect</source>
        <translation>Detección de inicio</translation>
    </message>
    <message>
        <source>Cut Position Adjustment</source>
        <translation>Ajuste de posición de corte</translation>
    </message>
    <message>
        <source>Character Spacing</source>
        <translation>Espaciado de caracteres</translation>
    </message>
    <message>
        <source>Paper Width</source>
        <translation>Ancho de papel</translation>
    </message>
    <message>
        <source>ESC/POS Print Columns</source>
        <translation>Columnas ESC/POS</translation>
    </message>
    <message>
        <source>ESC/POS Font Size</source>
        <translation>Tamaño de fuente ESC/POS</translation>
    </message>
    <message>
        <source>ESC/POS Default Character Spacing</source>
        <translation>Espaciado ESC/POS predeterminado</translation>
    </message>
    <message>
        <source>Contextual Auto Cut</source>
        <translation>Corte automático</translation>
    </message>
    <message>
        <source>No. of Line Feeds</source>
        <translation>N.º de avances</translation>
    </message>
</context>
<context>
    <name>Q6::Tests</name>
    <message>
        <source>Line Feed</source>
        <translation>Avance línea</translation>
    </message>
    <message>
        <source>Form Feed</source>
        <translation>Avance página</translation>
    </message>
    <message>
        <source>Feed 5cm</source>
        <translation>Avance 5 cm</translation>
    </message>
    <message>
        <source>Full Cut</source>
        <translation>Corte total</translation>
    </message>
    <message>
        <source>Partial Cut</source>
        <translation>Corte parcial</translation>
    </message>
    <message>
        <source>Feed + Full Cut</source>
        <translation>Avance + corte</translation>
    </message>
    <message>
        <source>Feed + Partial Cut</source>
        <translation>Avance + corte parc.</translation>
    </message>
    <message>
        <source>Cash Drawer 1</source>
        <translation>Cajón 1</translation>
    </message>
    <message>
        <source>Cash Drawer 2</source>
        <translation>Cajón 2</translation>
    </message>
    <message>
        <source>Print Self Test</source>
        <translation>Autoprueba</translation>
    </message>
    <message>
        <source>Character Set</source>
        <translation>Juego caract.</translation>
    </message>
    <message>
        <source>Print Ticket Test</source>
        <translation>Prueba de tickets</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sí</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Could not store the selected printer model. %1</source>
        <translation>No se pudo guardar el modelo de impresora elegido. %1</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Calidad</translation>
    </message>
    <message>
        <source>Tickets</source>
        <translation>Tickets</translation>
    </message>
    <message>
        <source>Characters</source>
        <translation>Caracteres</translation>
    </message>
    <message>
        <source>Emulation</source>
        <translation>Emulación</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Pruebas</translation>
    </message>
    <message>
        <source>Adjust Cut Position</source>
        <translation>Ajustar corte</translation>
    </message>
    <message>
        <source>QLX500/600 Setup Utility</source>
        <translation>QLX500/600 Setup Utility</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versión:</translation>
    </message>
    <message>
        <source>Printer Model:</source>
        <translation>Modelo:</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Comunicación</translation>
    </message>
    <message>
        <source>Setup the method of cummunication with your printer.</source>
        <translation>Configura cómo se comunica el equipo con la impresora.</translation>
    </message>
    <message>
        <source>Click here first to establish communication with your printer.</source>
        <translation>Pulse aquí primero para establecer la comunicación con la impresora.</translation>
    </message>
    <message>
        <source>Print a self-test page on the connected printer.</source>
        <translation>Imprime una página de autoprueba en la impresora conectada.</translation>
    </message>
    <message>
        <source>Print a self-test. Check that communication settings are correct first.</source>
        <translation>Imprime una autoprueba. Compruebe antes la configuración de comunicación.</translation>
    </message>
    <message>
        <source>Use Settings</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Send new settings to the connected printer.</source>
        <translation>Envía la nueva configuración a la impresora conectada.</translation>
    </message>
    <message>
        <source>Write current settings to your printer.</source>
        <translation>Escribe la configuración actual en la impresora.</translation>
    </message>
    <message>
        <source>Clear All Settings</source>
        <translation>Borrar todo</translation>
    </message>
    <message>
        <source>Clear all printer memory switch settings (factory default)</source>
        <translation>Borra todos los interruptores de memoria (valores de fábrica)</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Predefinidos</translation>
    </message>
    <message>
        <source>Select a preset configuration</source>
        <translation>Elegir una configuración predefinida</translation>
    </message>
    <message>
        <source>Click here to use a preset printer mode.</source>
        <translation>Pulse aquí para usar un modo predefinido.</translation>
    </message>
    <message>
        <source>Black Mark Ticket Test</source>
        <translation>Prueba de tickets con marca negra</translation>
    </message>
    <message>
        <source>This button will print a small test of three tickets. Please note that you must have already turned on black mark sensing (Set &apos;Start Position Detect&apos; to On), and you must have suitable ticket paper (with black sensor marks printed on the reverse side).</source>
        <translation>Imprime una pequeña prueba de tres tickets. La detección de marca negra debe estar activada (&apos;Detección de inicio&apos; en Activado) y debe haber papel adecuado (con marcas negras en el reverso).</translation>
    </message>
    <message>
        <source>Hardware Tests</source>
        <translation>Pruebas de hardware</translation>
    </message>
    <message>
        <source>Pheripheral device test (using default pulse time):</source>
        <translation>Prueba de periféricos (pulso estándar):</translation>
    </message>
    <message>
        <source>Paper Feed Tests:</source>
        <translation>Pruebas de avance:</translation>
    </message>
    <message>
        <source>Autocutter Tests:</source>
        <translation>Pruebas de corte:</translation>
    </message>
    <message>
        <source>Print Tests:</source>
        <translation>Pruebas de impresión:</translation>
    </message>
    <message>
        <source>Enable/Disable ALP mode</source>
        <translation>Activar/desactivar modo ALP</translation>
    </message>
    <message>
        <source>Use this to define the behaviour of the printer on receiving a Form Feed (&lt;FF&gt;) command.</source>
        <translation>Define qué hace la impresora al recibir un avance de página (&lt;FF&gt;).</translation>
    </message>
    <message>
        <source>Turn on Device ID to make the printer automatically detectable by Windows (Plug and Play).</source>
        <translation>Active el ID para que Windows detecte la impresora automáticamente (Plug and Play).</translation>
    </message>
    <message>
        <source>Some systems expect the &lt;CR&gt; code to perform a line feed. Enabling this code could cause double spaced lines on systems that do not require it.</source>
        <translation>Algunos sistemas esperan un avance de línea con &lt;CR&gt;. En otros puede causar doble interlineado.</translation>
    </message>
    <message>
        <source>When the paper roll is nearly finished the printers error LED will flash as a &apos;paper low&apos; warning. This can be dissabled for rear fed paper.</source>
        <translation>Con el rollo casi agotado, el LED de error parpadea (&apos;poco papel&apos;). Desactivable con papel trasero.</translation>
    </message>
    <message>
        <source>If using a paper roll width other than the default (80mm) it can be selected here to ensure that the printer uses suitable margins.</source>
        <translation>Si el rollo no es de 80mm (estándar), elija aquí su ancho para que la impresora use márgenes adecuados.</translation>
    </message>
    <message>
        <source>If your existing software does not issue a cut command then you can configure the printer to automatically cut on receipt of a series of line feeds.</source>
        <translation>Si su software no envía orden de corte, la impresora puede cortar sola tras una serie de avances de línea.</translation>
    </message>
    <message>
        <source>Set the default print density, may be required to improve quality on thick or low quality paper.</source>
        <translation>Densidad predeterminada; puede mejorar la calidad en papel grueso o de baja calidad.</translation>
    </message>
    <message>
        <source>Print speed can be reduced to improve quality on very thick paper/thin card or paper that is not sensitive enough for full speed printing.</source>
        <translation>Reducir la velocidad mejora la calidad en papel muy grueso, cartulina fina o papel poco sensible.</translation>
    </message>
    <message>
        <source>Automaticaly locate the start of labels/tickets by detecting a black mark. Cut position adjustment or printer calibration may be required.</source>
        <translation>Localiza el inicio de etiquetas/tickets por una marca negra. Puede requerir ajuste de corte o calibración.</translation>
    </message>
    <message>
        <source>Adjust the cut position (relative to the black mark) by enableing the &apos;Adjust Cut Position&apos; check box and clicking on the diagram or entering a measurement in mm.</source>
        <translation>Ajuste el corte (respecto a la marca negra): marque &apos;Ajustar corte&apos; y pulse en el diagrama o escriba un valor en mm.</translation>
    </message>
    <message>
        <source>For Windows driver use this should normally be left set to &apos;USA&apos;. Older applications which communicate with the printer directyl (many DOS applications) may require a different setting</source>
        <translation>Con el controlador de Windows deje normalmente &apos;EE. UU.&apos;. Programas antiguos que hablan directamente con la impresora (DOS) pueden requerir otro valor.</translation>
    </message>
    <message>
        <source>This should be set to the same code page that your application is using, under Western versions of Windows this is &apos;CP1252 (Windows Latin 1)&apos;</source>
        <translation>Use la misma página de códigos que su aplicación; en Windows occidental es &apos;CP1252 (Windows Latin 1)&apos;.</translation>
    </message>
    <message>
        <source>Select the style of zero character used for resident printer fonts (not Windows TrueType&apos;s).</source>
        <translation>Estilo del cero en las fuentes residentes (no en las TrueType de Windows).</translation>
    </message>
    <message>
        <source>Select the default line spacing for the printer&apos;s internal fonts.This will not affect the line spacing when printing via the standard Windows printer drivers.</source>
        <translation>Interlineado de las fuentes internas. No afecta a la impresión con los controladores de Windows.</translation>
    </message>
    <message>
        <source>Select the character spacing of the printers internal font. The default is 12 dot.</source>
        <translation>Espaciado de la fuente interna. El estándar es 12 puntos.</translation>
    </message>
    <message>
        <source>In ESC/POS mode the default number of columns printed is reduced for compatibility. Selecting &apos;Maximum&apos; will enable the maximum possible number of characters to be printed.</source>
        <translation>En modo ESC/POS se imprimen menos columnas por compatibilidad. &apos;Máximo&apos; imprime tantos caracteres como sea posible.</translation>
    </message>
    <message>
        <source>Vorla QLX500/600 Setup Utility</source>
        <translation>Vorla QLX500/600 Setup Utility</translation>
    </message>
    <message>
        <source>%1 - Advanced Mode</source>
        <translation>%1 - Modo avanzado</translation>
    </message>
    <message>
        <source>When this feature is enabled the printer will perform a reverse feed to the top of form at the start of a print job (only after a full cut to prevent paper jam&apos;s). For the %1 firmware version 2.1 or later is required.</source>
        <translation>Activada, la impresora retrocede al inicio del formulario al empezar un trabajo (solo tras un corte total, para evitar atascos). La %1 requiere firmware 2.1 o posterior.</translation>
    </message>
    <message>
        <source>This option selects an alternative (larger) font for use in ESC/POS mode. This may be useful when the printer is used to replace a 180dpi printer. This feature requires Version %1 or later firmware.</source>
        <translation>Fuente más grande para el modo ESC/POS, útil al sustituir una impresora de 180 ppp. Requiere firmware %1 o posterior.</translation>
    </message>
    <message>
        <source>Increasing the default character spacing can (in combination with the larger font) help simulate the output of 180dpi printers. It is recommended to use 1 dot spacing  and enable &apos;Maximum ESC/POS Print Columns&apos;. This feature requires version %1  or later firmware.</source>
        <translation>Más espaciado (con la fuente grande) imita una impresora de 180 ppp. Se recomienda 1 punto y columnas ESC/POS &apos;Máximo&apos;. Requiere firmware %1 o posterior.</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>Registro...</translation>
    </message>
    <message>
        <source>See the record of what this computer sent to the connected printer.</source>
        <translation>Ver el registro de lo que este equipo envió a la impresora conectada.</translation>
    </message>
    <message>
        <source>Show what your printer was sent and what it holds.</source>
        <translation>Muestra lo que recibió la impresora y lo que tiene.</translation>
    </message>
    <message>
        <source>No printer connection is set up yet, so there is no printer to show the record of.
Press Communication to set one up first.</source>
        <translation>Todavía no hay ninguna conexión con la impresora, así que no hay impresora cuyo registro mostrar.
Configure primero una en Comunicación.</translation>
    </message>
</context>
<context>
    <name>frmPort</name>
    <message>
        <source>Communication Settings</source>
        <translation>Configuración de comunicación</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>frmPresets</name>
    <message>
        <source>Preset Settings</source>
        <translation>Predefinidos</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Save New</source>
        <translation>Guardar nuevo</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>frmRecord</name>
    <message>
        <source>unfinished</source>
        <translation>sin terminar</translation>
    </message>
    <message>
        <source>delivered</source>
        <translation>entregado</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fallido</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>no enviado</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>factory</source>
        <translation>de fábrica</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>desconocido</translation>
    </message>
    <message>
        <source>Nothing has been sent with this computer&apos;s record yet.</source>
        <translation>Todavía no se ha enviado nada con el registro de este equipo.</translation>
    </message>
    <message>
        <source>The record at %1 cannot be read: %2</source>
        <translation>No se puede leer el registro %1: %2</translation>
    </message>
    <message>
        <source>The record holds nothing sent to this printer yet.</source>
        <translation>El registro aún no contiene nada enviado a esta impresora.</translation>
    </message>
    <message>
        <source>The newest %1 entries are shown; the record holds older ones too (q6config-cli history lists them all).</source>
        <translation>Se muestran las %1 entradas más recientes; el registro contiene también otras más antiguas (q6config-cli history las lista todas).</translation>
    </message>
    <message>
        <source>Printer Record</source>
        <translation>Registro de la impresora</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Cuándo</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>Quién</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Qué</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Enviado</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Ajuste</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>Desde</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Por</translation>
    </message>
    <message>
        <source>Unknown: the record cannot say what the printer holds, because nothing sent from this computer has set it, or an exchange that would have was cut short. Use Settings or Clear All Settings makes it known again.</source>
        <translation>Desconocido: el registro no puede decir qué tiene la impresora, porque nada enviado desde este equipo lo ha fijado, o un intercambio que lo habría fijado se interrumpió. Enviar o Borrar todo lo vuelve a dar a conocer.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Printer: %1</source>
        <translation>Impresora: %1</translation>
    </message>
    <message>
        <source>Printer: %1 (%2)</source>
        <translation>Impresora: %1 (%2)</translation>
    </message>
    <message>
        <source>Record: %1</source>
        <translation>Registro: %1</translation>
    </message>
</context>
</TS>
