<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_PT">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Acerca de Tarvik</source>
        <translation>About Tarvik</translation>
    </message>
    <message>
        <source>Monitor de nível sonoro</source>
        <translation>Sound level monitor</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tarvik, Versão %1</source>
        <translation>Tarvik, Version %1</translation>
    </message>
</context>
<context>
    <name>Analysis</name>
    <message>
        <source>Análise</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Períodos</source>
        <translation>Periods</translation>
    </message>
    <message>
        <source>Eventos</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>Resumo</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>Imprimir relatório</source>
        <translation>Print Report…</translation>
    </message>
    <message>
        <source>Exportar períodos (CSV)</source>
        <translation>Export Periods (CSV)…</translation>
    </message>
    <message>
        <source>Exportar eventos (CSV)</source>
        <translation>Export Events (CSV)…</translation>
    </message>
    <message>
        <source>Exportar para Excel</source>
        <translation>Export to Excel…</translation>
    </message>
    <message>
        <source>CSV(*.csv)</source>
        <translation>CSV(*.csv)</translation>
    </message>
    <message>
        <source>Excel Workbook(*.xlsx)</source>
        <translation>Excel Workbook(*.xlsx)</translation>
    </message>
    <message>
        <source>Período</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Limiar (dB)</source>
        <translation>Threshold (dB)</translation>
    </message>
    <message>
        <source>Duração mínima (s)</source>
        <translation>Minimum duration (s)</translation>
    </message>
    <message>
        <source>Libertação (s)</source>
        <translation>Release (s)</translation>
    </message>
    <message>
        <source>Tempo de exposição (h)</source>
        <translation>Exposure time (h)</translation>
    </message>
    <message>
        <source>Sinal sonoro</source>
        <translation>Beep</translation>
    </message>
    <message>
        <source>Início</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Fim</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Amostras</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>Cobertura (%)</source>
        <translation>Coverage (%)</translation>
    </message>
    <message>
        <source>Leq</source>
        <translation>Leq</translation>
    </message>
    <message>
        <source>Lmax</source>
        <translation>Lmax</translation>
    </message>
    <message>
        <source>Lmin</source>
        <translation>Lmin</translation>
    </message>
    <message>
        <source>L10</source>
        <translation>L10</translation>
    </message>
    <message>
        <source>L50</source>
        <translation>L50</translation>
    </message>
    <message>
        <source>L90</source>
        <translation>L90</translation>
    </message>
    <message>
        <source>Duração (s)</source>
        <translation>Duration (s)</translation>
    </message>
    <message>
        <source>SEL</source>
        <translation>SEL</translation>
    </message>
    <message>
        <source>Grandeza</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Valor</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Tempo medido</source>
        <translation>Measured time</translation>
    </message>
    <message>
        <source>LEX,8h</source>
        <translation>LEX,8h</translation>
    </message>
    <message>
        <source>Ação/limite</source>
        <translation>Action/limit</translation>
    </message>
    <message>
        <source>Lday (07–19)</source>
        <translation>Lday (07–19)</translation>
    </message>
    <message>
        <source>Levening (19–23)</source>
        <translation>Levening (19–23)</translation>
    </message>
    <message>
        <source>Lnight (23–07)</source>
        <translation>Lnight (23–07)</translation>
    </message>
    <message>
        <source>Lden</source>
        <translation>Lden</translation>
    </message>
    <message>
        <source>Tempo acima do limiar</source>
        <translation>Time above threshold</translation>
    </message>
    <message>
        <source>%1 dB, cobertura %2 %</source>
        <translation>%1 dB, coverage %2 %</translation>
    </message>
    <message>
        <source>sem amostras</source>
        <translation>no samples</translation>
    </message>
    <message>
        <source>não calculado: sem amostras de %1</source>
        <translation>not calculated: no samples of %1</translation>
    </message>
    <message>
        <source>dia</source>
        <translation>day</translation>
    </message>
    <message>
        <source>entardecer</source>
        <translation>evening</translation>
    </message>
    <message>
        <source>noite</source>
        <translation>night</translation>
    </message>
    <message>
        <source>só para níveis ponderados A (dBA): estes dados são %1</source>
        <translation>only for A-weighted levels (dBA): these data are %1</translation>
    </message>
    <message>
        <source>sem tempo medido</source>
        <translation>no measured time</translation>
    </message>
    <message>
        <source>abaixo dos valores de ação</source>
        <translation>below the action values</translation>
    </message>
    <message>
        <source>valor de ação inferior (80 dB(A)) atingido</source>
        <translation>lower action value (80 dB(A)) reached</translation>
    </message>
    <message>
        <source>valor de ação superior (85 dB(A)) atingido</source>
        <translation>upper action value (85 dB(A)) reached</translation>
    </message>
    <message>
        <source>valor limite de exposição (87 dB(A)) atingido</source>
        <translation>exposure limit value (87 dB(A)) reached</translation>
    </message>
    <message>
        <source>%1 (%2 % do tempo medido)</source>
        <translation>%1 (%2 % of the measured time)</translation>
    </message>
    <message>
        <source>sem limiar</source>
        <translation>no threshold</translation>
    </message>
    <message>
        <source>dBA e dBC</source>
        <translation>dBA and dBC</translation>
    </message>
    <message>
        <source>Medição em tempo real</source>
        <translation>Real-time measurement</translation>
    </message>
    <message>
        <source>DATALOGGER, gravação %1</source>
        <translation>DATALOGGER, recording %1</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
</context>
<context>
    <name>ColourDialog</name>
    <message>
        <source>Não foi possível gravar as cores.</source>
        <translation>The colours could not be saved.</translation>
    </message>
    <message>
        <source>Configuração da cor</source>
        <translation>Colour Setup</translation>
    </message>
    <message>
        <source>Cor da grelha</source>
        <translation>Grid colour</translation>
    </message>
    <message>
        <source>Escolher a cor da grelha</source>
        <translation>Choose the grid colour</translation>
    </message>
    <message>
        <source>Cor da linha</source>
        <translation>Line colour</translation>
    </message>
    <message>
        <source>Escolher a cor da linha</source>
        <translation>Choose the line colour</translation>
    </message>
    <message>
        <source>Cor de fundo</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Escolher a cor de fundo</source>
        <translation>Choose the background colour</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Anular</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DataFile</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Confirm Save As</source>
        <translation>Confirm Save As</translation>
    </message>
    <message>
        <source>Data Format is wrong!</source>
        <translation>Data Format is wrong!</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>ERROR</translation>
    </message>
    <message>
        <source>Can&apos;t write the file %1
%2
The file on disk was not changed.</source>
        <translation>Can&apos;t write the file %1
%2
The file on disk was not changed.</translation>
    </message>
    <message>
        <source>Can&apos;t read the file %1
%2</source>
        <translation>Can&apos;t read the file %1
%2</translation>
    </message>
    <message>
        <source>Tip</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>A abrir %1…</source>
        <translation>Opening %1…</translation>
    </message>
    <message>
        <source>Data File(*.txt)</source>
        <translation>Data File(*.txt)</translation>
    </message>
    <message>
        <source>Data File(*.xls)</source>
        <translation>Data File(*.xls)</translation>
    </message>
    <message>
        <source>Excel Workbook(*.xlsx)</source>
        <translation>Excel Workbook(*.xlsx)</translation>
    </message>
</context>
<context>
    <name>DataLogger</name>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Data, czas</source>
        <translation>Date, time</translation>
    </message>
    <message>
        <source>Jednostka</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Sampling Rate</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>Nums</source>
        <translation>Nums</translation>
    </message>
    <message>
        <source>Importar</source>
        <translation>Import…</translation>
    </message>
    <message>
        <source>Exportar</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>Guardar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Guardar seleção</source>
        <translation>Save Selection…</translation>
    </message>
    <message>
        <source>Imprimir</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Imprimir gráfico</source>
        <translation>Print Graph…</translation>
    </message>
    <message>
        <source>Imprimir tabela</source>
        <translation>Print Table…</translation>
    </message>
    <message>
        <source>DATALOGGER</source>
        <translation>DATALOGGER</translation>
    </message>
    <message>
        <source>Registos</source>
        <translation>Recordings</translation>
    </message>
    <message>
        <source>Gráfico em tempo real</source>
        <translation>Real-time graph</translation>
    </message>
    <message>
        <source>Anular Zoom</source>
        <translation>Reset Zoom</translation>
    </message>
    <message>
        <source>Hora de início</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>MIN</source>
        <translation>MIN</translation>
    </message>
    <message>
        <source>MIN @</source>
        <translation>MIN @</translation>
    </message>
    <message>
        <source>MAX</source>
        <translation>MAX</translation>
    </message>
    <message>
        <source>MAX @</source>
        <translation>MAX @</translation>
    </message>
    <message>
        <source>Num. Amostras</source>
        <translation>No. of samples</translation>
    </message>
    <message>
        <source>Taxa de amostragem</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>Segundo</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Média</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Indicação</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>Valor:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>Hora:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Deslocar o nível</source>
        <translation>Scroll the level</translation>
    </message>
    <message>
        <source>Deslocar as amostras</source>
        <translation>Scroll the samples</translation>
    </message>
    <message>
        <source>Cursor A</source>
        <translation>Cursor A</translation>
    </message>
    <message>
        <source>Cursor A @</source>
        <translation>Cursor A @</translation>
    </message>
    <message>
        <source>Cursor B</source>
        <translation>Cursor B</translation>
    </message>
    <message>
        <source>Cursor B @</source>
        <translation>Cursor B @</translation>
    </message>
    <message>
        <source>MAX entre A e B</source>
        <translation>MAX from A to B</translation>
    </message>
    <message>
        <source>MAX entre A e B @</source>
        <translation>MAX from A to B @</translation>
    </message>
    <message>
        <source>MIN entre A e B</source>
        <translation>MIN from A to B</translation>
    </message>
    <message>
        <source>MIN entre A e B @</source>
        <translation>MIN from A to B @</translation>
    </message>
    <message>
        <source>Leq entre A e B</source>
        <translation>Leq from A to B</translation>
    </message>
    <message>
        <source>Média entre A e B</source>
        <translation>Average A to B</translation>
    </message>
    <message>
        <source>Quantidade entre A e B</source>
        <translation>Samples from A to B</translation>
    </message>
    <message>
        <source>Ruído</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>Duração</source>
        <translation>Duration</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>Aceitando dados! Aguardar.......</source>
        <translation>Receiving data! Please wait.......</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Graph</name>
    <message>
        <source>Gráfico</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Time Format is wrong!</source>
        <translation>Time Format is wrong!</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>Recuperar a medição interrompida?</source>
        <translation>Recover the interrupted measurement?</translation>
    </message>
    <message>
        <source>%1 amostra</source>
        <translation>%1 sample</translation>
    </message>
    <message>
        <source>%1 amostras</source>
        <translation>%1 samples</translation>
    </message>
    <message>
        <source>, início %1</source>
        <translation>, started %1</translation>
    </message>
    <message>
        <source>O diário estava danificado: %1 amostra perdida.</source>
        <translation>The journal was damaged: %1 sample lost.</translation>
    </message>
    <message>
        <source>O diário estava danificado: %1 amostras perdidas.</source>
        <translation>The journal was damaged: %1 samples lost.</translation>
    </message>
    <message>
        <source>Não é possível escrever o diário da medição: %1</source>
        <translation>Cannot write the measurement journal: %1</translation>
    </message>
    <message>
        <source>Não é possível ler o diário da medição: %1</source>
        <translation>Cannot read the measurement journal: %1</translation>
    </message>
    <message>
        <source>O diário de uma medição interrompida não pode ser recuperado e foi posto de parte:
%1</source>
        <translation>The journal of an interrupted measurement cannot be recovered and was set aside:
%1</translation>
    </message>
</context>
<context>
    <name>LiveAlarm</name>
    <message>
        <source>Limiar excedido: %1 dB desde %2</source>
        <translation>Threshold exceeded: %1 dB since %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Gráfico em tempo real</source>
        <translation>Real-time graph</translation>
    </message>
    <message>
        <source>Anular Zoom</source>
        <translation>Reset Zoom</translation>
    </message>
    <message>
        <source>Gráfico</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Tabela</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Num. Amostras</source>
        <translation>No. of samples</translation>
    </message>
    <message>
        <source>Hora de início</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>Taxa de amostragem</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>Segundo</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>MIN</source>
        <translation>MIN</translation>
    </message>
    <message>
        <source>MIN @</source>
        <translation>MIN @</translation>
    </message>
    <message>
        <source>MAX</source>
        <translation>MAX</translation>
    </message>
    <message>
        <source>MAX @</source>
        <translation>MAX @</translation>
    </message>
    <message>
        <source>Média</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Indicação</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>Valor:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>Valor</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Hora:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Hora</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>Cursor A</source>
        <translation>Cursor A</translation>
    </message>
    <message>
        <source>Cursor A @</source>
        <translation>Cursor A @</translation>
    </message>
    <message>
        <source>Cursor B</source>
        <translation>Cursor B</translation>
    </message>
    <message>
        <source>Cursor B @</source>
        <translation>Cursor B @</translation>
    </message>
    <message>
        <source>MAX entre A e B</source>
        <translation>MAX from A to B</translation>
    </message>
    <message>
        <source>MAX entre A e B @</source>
        <translation>MAX from A to B @</translation>
    </message>
    <message>
        <source>MIN entre A e B</source>
        <translation>MIN from A to B</translation>
    </message>
    <message>
        <source>MIN entre A e B @</source>
        <translation>MIN from A to B @</translation>
    </message>
    <message>
        <source>Leq entre A e B</source>
        <translation>Leq from A to B</translation>
    </message>
    <message>
        <source>Média entre A e B</source>
        <translation>Average A to B</translation>
    </message>
    <message>
        <source>Quantidade entre A e B</source>
        <translation>Samples from A to B</translation>
    </message>
    <message>
        <source>Ruído</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>Duração</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Deslocamento do nível</source>
        <translation>Level scrolling</translation>
    </message>
    <message>
        <source>Deslocamento do tempo</source>
        <translation>Time scrolling</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>Guardar como</source>
        <translation>Save As…</translation>
    </message>
    <message>
        <source>Exportar para Excel</source>
        <translation>Export to Excel…</translation>
    </message>
    <message>
        <source>Imprimir gráfico</source>
        <translation>Print Graph…</translation>
    </message>
    <message>
        <source>Imprimir tabela</source>
        <translation>Print Table…</translation>
    </message>
    <message>
        <source>Sair</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Executar</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Parar</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Apagar os dados</source>
        <translation>Clear Data</translation>
    </message>
    <message>
        <source>Configuração</source>
        <translation>Setup…</translation>
    </message>
    <message>
        <source>Registo</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Barra de Ferramentas</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Barra de estado</source>
        <translation>Status Bar</translation>
    </message>
    <message>
        <source>Configuração da cor</source>
        <translation>Colour Setup…</translation>
    </message>
    <message>
        <source>Conteúdo</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Informações</source>
        <translation>About Tarvik…</translation>
    </message>
    <message>
        <source>Ficheiro</source>
        <translation>File</translation>
    </message>
    <message>
        <source>DataLogger</source>
        <translation>Data Logger</translation>
    </message>
    <message>
        <source>Porta</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Ver</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Ajuda</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Leitura do medidor</source>
        <translation>Meter reading</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Data, czas</source>
        <translation>Date, time</translation>
    </message>
    <message>
        <source>Jednostka</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Wartość</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Tip</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Close Window?</source>
        <translation>Close Window?</translation>
    </message>
    <message>
        <source>Occur an error</source>
        <translation>An error occurred</translation>
    </message>
    <message>
        <source>Warning:Can&apos;t open COM%1!</source>
        <translation>Warning: cannot open COM%1!</translation>
    </message>
    <message>
        <source>O manual do utilizador não foi encontrado.
Procurado em:
%1</source>
        <translation>The user manual was not found.
Looked in:
%1</translation>
    </message>
    <message>
        <source>Não foi possível abrir o manual do utilizador:
%1</source>
        <translation>Could not open the user manual:
%1</translation>
    </message>
    <message>
        <source>Ajuda</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Sim</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Não</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Guardar…</source>
        <translation>&amp;Save…</translation>
    </message>
    <message>
        <source>&amp;Descartar</source>
        <translation>&amp;Discard</translation>
    </message>
    <message>
        <source>&amp;Recuperar</source>
        <translation>&amp;Recover</translation>
    </message>
    <message>
        <source>Enter an integer.</source>
        <translation>Enter an integer.</translation>
    </message>
    <message>
        <source>Enter a positive integer.</source>
        <translation>Enter a positive integer.</translation>
    </message>
    <message>
        <source>Enter an integer between %1 and %2.</source>
        <translation>Enter an integer between %1 and %2.</translation>
    </message>
</context>
<context>
    <name>MeterKeys</name>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>REC</source>
        <translation>REC</translation>
    </message>
    <message>
        <source>MaxMin</source>
        <translation>MaxMin</translation>
    </message>
    <message>
        <source>FastSlow</source>
        <translation>FastSlow</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>AC</source>
        <translation>AC</translation>
    </message>
</context>
<context>
    <name>PortDialog</name>
    <message>
        <source>Porta</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Anular</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PrintedPage</name>
    <message>
        <source>Data, czas</source>
        <translation>Date, time</translation>
    </message>
    <message>
        <source>Jednostka</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Wartość</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Czas rozpoczęcia</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>Średnia</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Częstotliwość próbkowania</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>MAKS.</source>
        <translation>MAX.</translation>
    </message>
    <message>
        <source>MIN.</source>
        <translation>MIN.</translation>
    </message>
    <message>
        <source>Tabela</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Krzywa w czasie rzeczywistym</source>
        <translation>Real-time curve</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Czas trwania</source>
        <translation>Duration</translation>
    </message>
</context>
<context>
    <name>Printing</name>
    <message>
        <source>Time Format is wrong!</source>
        <translation>Time Format is wrong!</translation>
    </message>
    <message>
        <source>The print job could not be started.</source>
        <translation>The print job could not be started.</translation>
    </message>
    <message>
        <source>The chosen pages are not in the table; it has %1 pages.</source>
        <translation>The chosen pages are not in the table; it has %1 pages.</translation>
    </message>
    <message>
        <source>The paper is too small for the graph.</source>
        <translation>The paper is too small for the graph.</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Relatório de ruído</source>
        <translation>Noise report</translation>
    </message>
    <message>
        <source>Título</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Operador</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Notas</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Instrumento</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Origem dos dados</source>
        <translation>Data source</translation>
    </message>
    <message>
        <source>Intervalo medido</source>
        <translation>Measured interval</translation>
    </message>
    <message>
        <source>%1 a %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>Página %1 de %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Sonómetro digital</source>
        <translation>Digital sound level meter</translation>
    </message>
    <message>
        <source>, uma amostra a cada %1 s</source>
        <translation>, one sample every %1 s</translation>
    </message>
</context>
<context>
    <name>RunQuestions</name>
    <message>
        <source>Zapisz bieżące dane</source>
        <translation>Save the current data?</translation>
    </message>
    <message>
        <source>Usuwanie danych</source>
        <translation>Deleting data</translation>
    </message>
    <message>
        <source>Please stop the Real Time Runing!</source>
        <translation>Please stop the real-time run first.</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>Configuração registro</source>
        <translation>Recording Setup</translation>
    </message>
    <message>
        <source>Número Amostras</source>
        <translation>Number of samples</translation>
    </message>
    <message>
        <source>Taxa de amostragem</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>Segundo</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Tempo de gravação</source>
        <translation>Recording time</translation>
    </message>
    <message>
        <source>Hora de início</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>Fim do tempo</source>
        <translation>End time</translation>
    </message>
    <message>
        <source>Iniciar</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Anular</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 hour %2 minute %3 second</source>
        <translation>%1 h %2 min %3 s</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>Abrir um ficheiro de dados na janela DATALOGGER</source>
        <translation>Open a data file in the DATALOGGER window</translation>
    </message>
    <message>
        <source>Guardar as amostras em tempo real num ficheiro de dados</source>
        <translation>Save the real-time samples in a data file</translation>
    </message>
    <message>
        <source>Exportar as amostras em tempo real para uma folha de cálculo</source>
        <translation>Export the real-time samples to a spreadsheet</translation>
    </message>
    <message>
        <source>Imprimir o gráfico e as estatísticas</source>
        <translation>Print the graph and the statistics</translation>
    </message>
    <message>
        <source>Imprimir a tabela de amostras</source>
        <translation>Print the table of samples</translation>
    </message>
    <message>
        <source>Fechar o programa</source>
        <translation>Close the program</translation>
    </message>
    <message>
        <source>Iniciar a medição em tempo real</source>
        <translation>Start the real-time measurement</translation>
    </message>
    <message>
        <source>Parar a medição em tempo real</source>
        <translation>Stop the real-time measurement</translation>
    </message>
    <message>
        <source>Apagar as amostras em tempo real</source>
        <translation>Clear the real-time samples</translation>
    </message>
    <message>
        <source>Escolher o número de amostras e a taxa, e iniciar a medição</source>
        <translation>Choose the number of samples and the sample rate, and start the measurement</translation>
    </message>
    <message>
        <source>Executar o Registo de dados</source>
        <translation>Run the record download</translation>
    </message>
    <message>
        <source>Indicar à mão o número da porta do medidor</source>
        <translation>Enter the meter&apos;s port number by hand</translation>
    </message>
    <message>
        <source>Procurar o medidor automaticamente</source>
        <translation>Look for the meter automatically</translation>
    </message>
    <message>
        <source>Mostrar ou esconder a barra de ferramentas</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <source>Mostrar ou esconder a barra de estado</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>Escolher as cores do gráfico</source>
        <translation>Choose the graph&apos;s colours</translation>
    </message>
    <message>
        <source>Abrir o manual do utilizador</source>
        <translation>Open the user manual</translation>
    </message>
    <message>
        <source>Mostrar a versão do programa</source>
        <translation>Show the program&apos;s version</translation>
    </message>
    <message>
        <source>Ler um ficheiro de dados para a lista de gravações</source>
        <translation>Read a data file into the list of recordings</translation>
    </message>
    <message>
        <source>Exportar a gravação escolhida para uma folha de cálculo</source>
        <translation>Export the chosen recording to a spreadsheet</translation>
    </message>
    <message>
        <source>Guardar a gravação escolhida num ficheiro de dados</source>
        <translation>Save the chosen recording in a data file</translation>
    </message>
    <message>
        <source>Imprimir o gráfico da gravação escolhida</source>
        <translation>Print the graph of the chosen recording</translation>
    </message>
    <message>
        <source>Imprimir a tabela da gravação escolhida</source>
        <translation>Print the table of the chosen recording</translation>
    </message>
    <message>
        <source>A procurar o medidor…</source>
        <translation>Looking for the meter…</translation>
    </message>
    <message>
        <source>Nenhum medidor encontrado</source>
        <translation>No meter found</translation>
    </message>
    <message>
        <source>Não é possível guardar a porta escolhida: %1</source>
        <translation>Cannot remember the chosen port: %1</translation>
    </message>
    <message>
        <source>Não foi possível abrir %1</source>
        <translation>Could not open %1</translation>
    </message>
    <message>
        <source>%1: o medidor está a enviar dados</source>
        <translation>%1: the meter is sending data</translation>
    </message>
    <message>
        <source>%1: o medidor não envia dados</source>
        <translation>%1: the meter sends no data</translation>
    </message>
    <message>
        <source>%1: o medidor foi desligado</source>
        <translation>%1: the meter was unplugged</translation>
    </message>
    <message>
        <source>Medição terminada: atingido o número de amostras</source>
        <translation>Measurement finished: the number of samples was reached</translation>
    </message>
    <message>
        <source>Medição parada pela tecla HOLD do medidor</source>
        <translation>Measurement stopped by the meter&apos;s HOLD key</translation>
    </message>
    <message>
        <source>Medição parada: o medidor deixou de enviar dados</source>
        <translation>Measurement stopped: the meter stopped sending data</translation>
    </message>
    <message>
        <source>Medição parada: o medidor foi desligado</source>
        <translation>Measurement stopped: the meter was unplugged</translation>
    </message>
    <message>
        <source>Registo de dados recebido</source>
        <translation>Record download received</translation>
    </message>
    <message>
        <source>O medidor não tem registos.</source>
        <translation>The meter holds no recordings.</translation>
    </message>
    <message>
        <source>O Registo de dados falhou: %1</source>
        <translation>The record download failed: %1</translation>
    </message>
    <message>
        <source>O medidor deixou de enviar dados.</source>
        <translation>The meter stopped sending data.</translation>
    </message>
    <message>
        <source>O medidor foi desligado.</source>
        <translation>The meter was unplugged.</translation>
    </message>
    <message>
        <source>O Registo de dados não terminou a tempo.</source>
        <translation>The record download did not finish in time.</translation>
    </message>
    <message>
        <source>Transferência terminada: nenhum dado do registo em 10 s; mantido o que chegou</source>
        <translation>Download ended: no recording data for 10 s; what arrived is kept</translation>
    </message>
</context>
</TS>
