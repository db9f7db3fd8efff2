<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>Orvanel::ConnectionTest</name>
    <message>
        <source>Test</source>
        <translation>Testar</translation>
    </message>
    <message>
        <source>Open the connection as filled in above and close it again, sending nothing.</source>
        <translation>Abre a conexão definida acima e a fecha de novo, sem enviar nada.</translation>
    </message>
    <message>
        <source>Testing (at most %1 ms)...</source>
        <translation>Testando (no máx. %1 ms)...</translation>
    </message>
    <message>
        <source>Testing...</source>
        <translation>Testando...</translation>
    </message>
</context>
<context>
    <name>Orvanel::FoundPrinters</name>
    <message>
        <source>Printers found:</source>
        <translation>Impressoras encontradas:</translation>
    </message>
    <message>
        <source>Find printers</source>
        <translation>Procurar impressoras</translation>
    </message>
    <message>
        <source> - stored as %1</source>
        <translation> - salva como %1</translation>
    </message>
    <message>
        <source> - stored as %1: this computer does not resolve %2</source>
        <translation> - salva como %1: este computador não resolve %2</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Procurando...</translation>
    </message>
    <message>
        <source>searching...</source>
        <translation>procurando...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>nenhuma</translation>
    </message>
</context>
<context>
    <name>Orvanel::LinkSettingsPanel</name>
    <message>
        <source>Connection:</source>
        <translation>Conexão:</translation>
    </message>
    <message>
        <source>host name or IP address</source>
        <translation>nome do host ou endereço IP</translation>
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
        <translation>Fila de impressão:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Procurar...</translation>
    </message>
    <message>
        <source>Device or file:</source>
        <translation>Dispositivo ou arquivo:</translation>
    </message>
    <message>
        <source>Serial port:</source>
        <translation>Porta serial:</translation>
    </message>
    <message>
        <source>Baud rate:</source>
        <translation>Velocidade (baud):</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Bits de dados:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Paridade:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Bits de parada:</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Controle de fluxo:</translation>
    </message>
    <message>
        <source>Time limit (ms):</source>
        <translation>Tempo limite (ms):</translation>
    </message>
    <message>
        <source>Printer device or capture file</source>
        <translation>Dispositivo da impressora ou arquivo de captura</translation>
    </message>
</context>
<context>
    <name>Orvanel::Quenlink</name>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab first and choose how this computer reaches the printer.</source>
        <translation> Clique primeiro em “Comunicação” na aba Início e escolha como este computador chega à impressora.</translation>
    </message>
    <message>
        <source> Press &quot;Communication&quot; on the Main tab to fix it.</source>
        <translation> Clique em “Comunicação” na aba Início para corrigir.</translation>
    </message>
    <message>
        <source> Fix or remove that file, then press &quot;Communication&quot; on the Main tab.</source>
        <translation> Corrija ou remova esse arquivo e clique em “Comunicação” na aba Início.</translation>
    </message>
</context>
<context>
    <name>Q6::Link</name>
    <message>
        <source>Network (TCP/IP)</source>
        <translation>Rede (TCP/IP)</translation>
    </message>
    <message>
        <source>Printer queue</source>
        <translation>Fila de impressão</translation>
    </message>
    <message>
        <source>File or device</source>
        <translation>Arquivo ou dispositivo</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Porta serial</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nenhuma</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Ímpar</translation>
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
        <translation>Sem alteração</translation>
    </message>
    <message>
        <source>Feed (No cut)</source>
        <translation>Avanço (sem corte)</translation>
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
        <translation>Desligado</translation>
    </message>
    <message>
        <source>On: Default ID</source>
        <translation>Ligado: ID padrão</translation>
    </message>
    <message>
        <source>On: Alternative ID</source>
        <translation>Ligado: ID alternativo</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Desativado</translation>
    </message>
    <message>
        <source>Perform Line Feed</source>
        <translation>Avanço de linha</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Ativado</translation>
    </message>
    <message>
        <source>Enabled - Full Cut</source>
        <translation>Ativado - Corte total</translation>
    </message>
    <message>
        <source>Enabled - Partial Cut</source>
        <translation>Ativado - Corte parc.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ligado</translation>
    </message>
    <message>
        <source>Reverse to 3mm</source>
        <translation>Recuo até 3mm</translation>
    </message>
    <message>
        <source>Reverse to 7mm</source>
        <translation>Recuo até 7mm</translation>
    </message>
    <message>
        <source>USA</source>
        <translation>EUA</translation>
    </message>
    <message>
        <source>France</source>
        <translation>França</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Alemanha</translation>
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
        <translation>Suécia</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Itália</translation>
    </message>
    <message>
        <source>Spain #1</source>
        <translation>Espanha 1</translation>
    </message>
    <message>
        <source>Japan</source>
        <translation>Japão</translation>
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
        <translation>Espanha 2</translation>
    </message>
    <message>
        <source>Latin America</source>
        <translation>América Latina</translation>
    </message>
    <message>
        <source>Korea</source>
        <translation>Coreia</translation>
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
        <translation>437 (EUA, Europa) </translation>
    </message>
    <message>
        <source>Katakana</source>
        <translation>Katakana</translation>
    </message>
    <message>
        <source>437(USA,std. Europe)</source>
        <translation>437 (EUA, Europa)</translation>
    </message>
    <message>
        <source>858 (Multilingual)</source>
        <translation>858 (Multilíngue)</translation>
    </message>
    <message>
        <source>852 (Latin-2)</source>
        <translation>852 (Latin-2)</translation>
    </message>
    <message>
        <source>860 (Portuguese)</source>
        <translation>860 (Português)</translation>
    </message>
    <message>
        <source>861 (Icelandic)</source>
        <translation>861 (Islandês)</translation>
    </message>
    <message>
        <source>863 (Canadian Frence)</source>
        <translation>863 (Franco-canad.)</translation>
    </message>
    <message>
        <source>865 (Nordic)</source>
        <translation>865 (Nórdico)</translation>
    </message>
    <message>
        <source>866 (Cyrillic Russian)</source>
        <translation>866 (Cirílico russo)</translation>
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
        <translation>862 (Hebraico)</translation>
    </message>
    <message>
        <source>864 (Arabic)</source>
        <translation>864 (Árabe)</translation>
    </message>
    <message>
        <source>737 (Greek)</source>
        <translation>737 (Grego)</translation>
    </message>
    <message>
        <source>851 (Greek)</source>
        <translation>851 (Grego)</translation>
    </message>
    <message>
        <source>869 (Greek)</source>
        <translation>869 (Grego)</translation>
    </message>
    <message>
        <source>928 (Greek)</source>
        <translation>928 (Grego)</translation>
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
        <translation>874 (Tailandês)</translation>
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
        <translation>3840 (IBM-Russo)</translation>
    </message>
    <message>
        <source>3841 (Gost)</source>
        <translation>3841 (GOST)</translation>
    </message>
    <message>
        <source>3843 (Polish)</source>
        <translation>3843 (Polonês)</translation>
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
        <translation>3001 (Estoniano-1)</translation>
    </message>
    <message>
        <source>3002 (Estonian-2)</source>
        <translation>3002 (Estoniano-2)</translation>
    </message>
    <message>
        <source>3011 (Latvian-1)</source>
        <translation>3011 (Letão-1)</translation>
    </message>
    <message>
        <source>3012 (Latvian-2)</source>
        <translation>3012 (Letão-2)</translation>
    </message>
    <message>
        <source>3021 (Bulgarian)</source>
        <translation>3021 (Búlgaro)</translation>
    </message>
    <message>
        <source>3041 (Maltese)</source>
        <translation>3041 (Maltês)</translation>
    </message>
    <message>
        <source>User Setting (Downloaded)</source>
        <translation>Usuário (carregada)</translation>
    </message>
    <message>
        <source>No Slash</source>
        <translation>Sem barra</translation>
    </message>
    <message>
        <source>Slash</source>
        <translation>Com barra</translation>
    </message>
    <message>
        <source>12 dot</source>
        <translation>12 pontos</translation>
    </message>
    <message>
        <source>15 dot</source>
        <translation>15 pontos</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Padrão</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>No additional spacing</source>
        <translation>Sem espaço adicional</translation>
    </message>
    <message>
        <source>1 dot spacing</source>
        <translation>Espaço de 1 ponto</translation>
    </message>
    <message>
        <source>2 dot spacing</source>
        <translation>Espaço de 2 pontos</translation>
    </message>
    <message>
        <source>3 dot spacing</source>
        <translation>Espaço de 3 pontos</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Padrão</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>130% (Darkest)</source>
        <translation>130% (mais escuro)</translation>
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
        <translation>Densidade ótima</translation>
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
        <translation>Arquivo de predefinição corrompido</translation>
    </message>
    <message>
        <source>This preset file is designed for a later version of the QLX600 Setup Utility!</source>
        <translation>Este arquivo de predefinição é para uma versão mais recente do QLX600 Setup Utility!</translation>
    </message>
    <message>
        <source>Incorrect Preset File</source>
        <translation>Arquivo de predefinição incorreto</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; does not appear to be a preset file.
  This may be a corrupt file or it may require a more revent version of the Vorla QLX600 Setup utility.</source>
        <translation>&apos;%1&apos; não parece ser um arquivo de predefinição.
  O arquivo pode estar corrompido ou exigir uma versão mais recente do Vorla QLX600 Setup Utility.</translation>
    </message>
    <message>
        <source>The &apos;Optimum&apos; print speed option acheives the highest possible output quality to acheive good results even on unsensitive paper types.<byte value="xd"/>
Combine the setting with 130% density for maximum quality (at 120mm/second)<byte value="xd"/>
or 120% density for second highest quality (at 140mm/second.</source>
        <translation>A velocidade &apos;Optimum&apos; oferece a maior qualidade possível, com bons resultados mesmo em papéis pouco sensíveis.<byte value="xd"/>
Combine com densidade 130% para qualidade máxima (a 120 mm/s)<byte value="xd"/>
ou 120% para a segunda melhor qualidade (a 140 mm/s).</translation>
    </message>
    <message>
        <source>Reset - Are You Sure?</source>
        <translation>Redefinir - Tem certeza?</translation>
    </message>
    <message>
        <source>WARNING:<byte value="xd"/>
If your printer is currently configured for ticket or label printing (black mark detect)<byte value="xd"/>
then resetting it will cause it to revert to &apos;receipt&apos; mode. Using black marked paper<byte value="xd"/>
stock then the printer is in receipt mode will cause errors.</source>
        <translation>ATENÇÃO:<byte value="xd"/>
Se a impressora estiver configurada para tíquetes ou etiquetas (detecção de marca preta),<byte value="xd"/>
a redefinição a fará voltar ao modo &apos;recibo&apos;. Usar papel com marcas pretas<byte value="xd"/>
no modo recibo causará erros.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informação</translation>
    </message>
</context>
<context>
    <name>Q6::Settings</name>
    <message>
        <source>Action on form feed (&lt;FF&gt;) instruction</source>
        <translation>Ação no avanço de página (&lt;FF&gt;)</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>ID do dispositivo</translation>
    </message>
    <message>
        <source>Top Search</source>
        <translation>Busca do início</translation>
    </message>
    <message>
        <source>Near End Paper Sensor</source>
        <translation>Sensor de fim de papel</translation>
    </message>
    <message>
        <source>&lt;CR&gt; Code</source>
        <translation>Código &lt;CR&gt;</translation>
    </message>
    <message>
        <source>International Character Set</source>
        <translation>Conjunto de caracteres internacional</translation>
    </message>
    <message>
        <source>Code Page</source>
        <translation>Página de código</translation>
    </message>
    <message>
        <source>Zero Style</source>
        <translation>Estilo do zero</translation>
    </message>
    <message>
        <source>Line Spacing</source>
        <translation>Espaçamento de linha</translation>
    </message>
    <message>
        <source>Default Print Density</source>
        <translation>Densidade de impressão</translation>
    </message>
    <message>
        <source>Print Speed</source>
        <translation>Velocidade de impressão</translation>
    </message>
    <message>
        <source>Start Position Detect</source>
        <translation>Detecção de início</translation>
    </message>
    <message>
        <source>Cut Position Adjustment</source>
        <translation>Ajuste da posição de corte</translation>
    </message>
    <message>
        <source>Character Spacing</source>
        <translation>Espaçamento de caracteres</translation>
    </message>
    <message>
        <source>Paper Width</source>
        <translation>Largura do papel</translation>
    </message>
    <message>
        <source>ESC/POS Print Columns</source>
        <translation>Colunas ESC/POS</translation>
    </message>
    <message>
        <source>ESC/POS Font Size</source>
        <translation>Tamanho da fonte ESC/POS</translation>
    </message>
    <message>
        <source>ESC/POS Default Character Spacing</source>
        <translation>Espaçamento ESC/POS padrão</translation>
    </message>
    <message>
        <source>Contextual Auto Cut</source>
        <translation>Corte automático</translation>
    </message>
    <message>
        <source>No. of Line Feeds</source>
        <translation>Nº de avanços</translation>
    </message>
</context>
<context>
    <name>Q6::Tests</name>
    <message>
        <source>Line Feed</source>
        <translation>Avanço linha</translation>
    </message>
    <message>
        <source>Form Feed</source>
        <translation>Avanço página</translation>
    </message>
    <message>
        <source>Feed 5cm</source>
        <translation>Avanço 5 cm</translation>
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
        <translation>Avanço + corte</translation>
    </message>
    <message>
        <source>Feed + Partial Cut</source>
        <translation>Avanço + corte parc.</translation>
    </message>
    <message>
        <source>Cash Drawer 1</source>
        <translation>Gaveta 1</translation>
    </message>
    <message>
        <source>Cash Drawer 2</source>
        <translation>Gaveta 2</translation>
    </message>
    <message>
        <source>Print Self Test</source>
        <translation>Autoteste</translation>
    </message>
    <message>
        <source>Character Set</source>
        <translation>Caracteres</translation>
    </message>
    <message>
        <source>Print Ticket Test</source>
        <translation>Teste de tíquetes</translation>
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
        <translation>&amp;Sim</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Não</translation>
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
        <translation>Não foi possível salvar o modelo de impressora escolhido. %1</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Início</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Geral</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualidade</translation>
    </message>
    <message>
        <source>Tickets</source>
        <translation>Tíquetes</translation>
    </message>
    <message>
        <source>Characters</source>
        <translation>Caracteres</translation>
    </message>
    <message>
        <source>Emulation</source>
        <translation>Emulação</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Testes</translation>
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
        <translation>Versão:</translation>
    </message>
    <message>
        <source>Printer Model:</source>
        <translation>Modelo:</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Comunicação</translation>
    </message>
    <message>
        <source>Setup the method of cummunication with your printer.</source>
        <translation>Define como o computador se comunica com a impressora.</translation>
    </message>
    <message>
        <source>Click here first to establish communication with your printer.</source>
        <translation>Clique aqui primeiro para estabelecer a comunicação com a impressora.</translation>
    </message>
    <message>
        <source>Print a self-test page on the connected printer.</source>
        <translation>Imprime uma página de autoteste na impressora conectada.</translation>
    </message>
    <message>
        <source>Print a self-test. Check that communication settings are correct first.</source>
        <translation>Imprime um autoteste. Verifique antes as configurações de comunicação.</translation>
    </message>
    <message>
        <source>Use Settings</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Send new settings to the connected printer.</source>
        <translation>Envia as novas configurações para a impressora conectada.</translation>
    </message>
    <message>
        <source>Write current settings to your printer.</source>
        <translation>Grava as configurações atuais na impressora.</translation>
    </message>
    <message>
        <source>Clear All Settings</source>
        <translation>Limpar tudo</translation>
    </message>
    <message>
        <source>Clear all printer memory switch settings (factory default)</source>
        <translation>Limpa todas as chaves de memória (padrão de fábrica)</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Predefinições</translation>
    </message>
    <message>
        <source>Select a preset configuration</source>
        <translation>Escolher uma configuração predefinida</translation>
    </message>
    <message>
        <source>Click here to use a preset printer mode.</source>
        <translation>Clique aqui para usar um modo predefinido.</translation>
    </message>
    <message>
        <source>Black Mark Ticket Test</source>
        <translation>Teste de tíquetes com marca preta</translation>
    </message>
    <message>
        <source>This button will print a small test of three tickets. Please note that you must have already turned on black mark sensing (Set &apos;Start Position Detect&apos; to On), and you must have suitable ticket paper (with black sensor marks printed on the reverse side).</source>
        <translation>Imprime um pequeno teste de três tíquetes. A detecção de marca preta deve estar ligada (&apos;Detecção de início&apos; em Ligado) e é preciso papel adequado (com marcas pretas no verso).</translation>
    </message>
    <message>
        <source>Hardware Tests</source>
        <translation>Testes de hardware</translation>
    </message>
    <message>
        <source>Pheripheral device test (using default pulse time):</source>
        <translation>Teste de periféricos (pulso padrão):</translation>
    </message>
    <message>
        <source>Paper Feed Tests:</source>
        <translation>Testes de avanço:</translation>
    </message>
    <message>
        <source>Autocutter Tests:</source>
        <translation>Testes da guilhotina:</translation>
    </message>
    <message>
        <source>Print Tests:</source>
        <translation>Testes de impressão:</translation>
    </message>
    <message>
        <source>Enable/Disable ALP mode</source>
        <translation>Ativar/desativar modo ALP</translation>
    </message>
    <message>
        <source>Use this to define the behaviour of the printer on receiving a Form Feed (&lt;FF&gt;) command.</source>
        <translation>Define o que a impressora faz ao receber um avanço de página (&lt;FF&gt;).</translation>
    </message>
    <message>
        <source>Turn on Device ID to make the printer automatically detectable by Windows (Plug and Play).</source>
        <translation>Ligue o ID para que o Windows detecte a impressora automaticamente (Plug and Play).</translation>
    </message>
    <message>
        <source>Some systems expect the &lt;CR&gt; code to perform a line feed. Enabling this code could cause double spaced lines on systems that do not require it.</source>
        <translation>Alguns sistemas esperam um avanço de linha com &lt;CR&gt;. Em outros, isso pode dobrar o espaçamento.</translation>
    </message>
    <message>
        <source>When the paper roll is nearly finished the printers error LED will flash as a &apos;paper low&apos; warning. This can be dissabled for rear fed paper.</source>
        <translation>Com o rolo quase no fim, o LED de erro pisca (&apos;pouco papel&apos;). Pode ser desligado com papel traseiro.</translation>
    </message>
    <message>
        <source>If using a paper roll width other than the default (80mm) it can be selected here to ensure that the printer uses suitable margins.</source>
        <translation>Se o rolo não for de 80mm (padrão), escolha aqui a largura para que a impressora use margens adequadas.</translation>
    </message>
    <message>
        <source>If your existing software does not issue a cut command then you can configure the printer to automatically cut on receipt of a series of line feeds.</source>
        <translation>Se o seu software não envia comando de corte, a impressora pode cortar sozinha após uma série de avanços de linha.</translation>
    </message>
    <message>
        <source>Set the default print density, may be required to improve quality on thick or low quality paper.</source>
        <translation>Densidade padrão; pode melhorar a qualidade em papel grosso ou de baixa qualidade.</translation>
    </message>
    <message>
        <source>Print speed can be reduced to improve quality on very thick paper/thin card or paper that is not sensitive enough for full speed printing.</source>
        <translation>Reduzir a velocidade melhora a qualidade em papel muito grosso, cartão fino ou papel pouco sensível.</translation>
    </message>
    <message>
        <source>Automaticaly locate the start of labels/tickets by detecting a black mark. Cut position adjustment or printer calibration may be required.</source>
        <translation>Localiza o início de etiquetas/tíquetes por uma marca preta. Pode exigir ajuste de corte ou calibração.</translation>
    </message>
    <message>
        <source>Adjust the cut position (relative to the black mark) by enableing the &apos;Adjust Cut Position&apos; check box and clicking on the diagram or entering a measurement in mm.</source>
        <translation>Ajuste o corte (em relação à marca preta): marque &apos;Ajustar corte&apos; e clique no diagrama ou digite um valor em mm.</translation>
    </message>
    <message>
        <source>For Windows driver use this should normally be left set to &apos;USA&apos;. Older applications which communicate with the printer directyl (many DOS applications) may require a different setting</source>
        <translation>Com o driver do Windows, deixe normalmente &apos;EUA&apos;. Programas antigos que falam direto com a impressora (DOS) podem exigir outro valor.</translation>
    </message>
    <message>
        <source>This should be set to the same code page that your application is using, under Western versions of Windows this is &apos;CP1252 (Windows Latin 1)&apos;</source>
        <translation>Use a mesma página de código do seu aplicativo; no Windows ocidental é &apos;CP1252 (Windows Latin 1)&apos;.</translation>
    </message>
    <message>
        <source>Select the style of zero character used for resident printer fonts (not Windows TrueType&apos;s).</source>
        <translation>Estilo do zero nas fontes residentes (não nas TrueType do Windows).</translation>
    </message>
    <message>
        <source>Select the default line spacing for the printer&apos;s internal fonts.This will not affect the line spacing when printing via the standard Windows printer drivers.</source>
        <translation>Espaçamento das fontes internas. Não afeta a impressão pelos drivers do Windows.</translation>
    </message>
    <message>
        <source>Select the character spacing of the printers internal font. The default is 12 dot.</source>
        <translation>Espaçamento da fonte interna. O padrão é 12 pontos.</translation>
    </message>
    <message>
        <source>In ESC/POS mode the default number of columns printed is reduced for compatibility. Selecting &apos;Maximum&apos; will enable the maximum possible number of characters to be printed.</source>
        <translation>No modo ESC/POS as colunas são reduzidas por compatibilidade. &apos;Máximo&apos; imprime o maior número possível de caracteres.</translation>
    </message>
    <message>
        <source>Vorla QLX500/600 Setup Utility</source>
        <translation>Vorla QLX500/600 Setup Utility</translation>
    </message>
    <message>
        <source>%1 - Advanced Mode</source>
        <translation>%1 - Modo avançado</translation>
    </message>
    <message>
        <source>When this feature is enabled the printer will perform a reverse feed to the top of form at the start of a print job (only after a full cut to prevent paper jam&apos;s). For the %1 firmware version 2.1 or later is required.</source>
        <translation>Ativada, a impressora recua até o início do formulário ao começar um trabalho (só após um corte total, para evitar atolamentos). A %1 exige firmware 2.1 ou posterior.</translation>
    </message>
    <message>
        <source>This option selects an alternative (larger) font for use in ESC/POS mode. This may be useful when the printer is used to replace a 180dpi printer. This feature requires Version %1 or later firmware.</source>
        <translation>Fonte maior para o modo ESC/POS, útil ao substituir uma impressora de 180 dpi. Exige firmware %1 ou posterior.</translation>
    </message>
    <message>
        <source>Increasing the default character spacing can (in combination with the larger font) help simulate the output of 180dpi printers. It is recommended to use 1 dot spacing  and enable &apos;Maximum ESC/POS Print Columns&apos;. This feature requires version %1  or later firmware.</source>
        <translation>Mais espaçamento (com a fonte maior) imita uma impressora de 180 dpi. Recomendado: 1 ponto e colunas ESC/POS &apos;Máximo&apos;. Exige firmware %1 ou posterior.</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>Registro...</translation>
    </message>
    <message>
        <source>See the record of what this computer sent to the connected printer.</source>
        <translation>Ver o registro do que este computador enviou à impressora conectada.</translation>
    </message>
    <message>
        <source>Show what your printer was sent and what it holds.</source>
        <translation>Mostra o que a impressora recebeu e o que ela tem.</translation>
    </message>
    <message>
        <source>No printer connection is set up yet, so there is no printer to show the record of.
Press Communication to set one up first.</source>
        <translation>Ainda não há conexão com a impressora configurada, então não há impressora cujo registro mostrar.
Configure uma primeiro em Comunicação.</translation>
    </message>
</context>
<context>
    <name>frmPort</name>
    <message>
        <source>Communication Settings</source>
        <translation>Configurações de comunicação</translation>
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
        <translation>Predefinições</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Save New</source>
        <translation>Salvar nova</translation>
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
        <translation>inacabado</translation>
    </message>
    <message>
        <source>delivered</source>
        <translation>entregue</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>falhou</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>não enviado</translation>
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
        <translation>desconhecido</translation>
    </message>
    <message>
        <source>Nothing has been sent with this computer&apos;s record yet.</source>
        <translation>Nada foi enviado ainda com o registro deste computador.</translation>
    </message>
    <message>
        <source>The record at %1 cannot be read: %2</source>
        <translation>Não é possível ler o registro %1: %2</translation>
    </message>
    <message>
        <source>The record holds nothing sent to this printer yet.</source>
        <translation>O registro ainda não contém nada enviado a esta impressora.</translation>
    </message>
    <message>
        <source>The newest %1 entries are shown; the record holds older ones too (q6config-cli history lists them all).</source>
        <translation>As %1 entradas mais recentes são mostradas; o registro contém também outras mais antigas (q6config-cli history lista todas).</translation>
    </message>
    <message>
        <source>Printer Record</source>
        <translation>Registro da impressora</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quando</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>Quem</translation>
    </message>
    <message>
        <source>What</source>
        <translation>O quê</translation>
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
        <translation>Configuração</translation>
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
        <translation>Desconhecido: o registro não pode dizer o que a impressora tem, porque nada enviado deste computador o definiu, ou uma troca que o definiria foi interrompida. Enviar ou Limpar tudo o torna conhecido de novo.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Printer: %1</source>
        <translation>Impressora: %1</translation>
    </message>
    <message>
        <source>Printer: %1 (%2)</source>
        <translation>Impressora: %1 (%2)</translation>
    </message>
    <message>
        <source>Record: %1</source>
        <translation>Registro: %1</translation>
    </message>
</context>
</TS>
