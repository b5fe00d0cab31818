<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_PT">
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
    <name>LiveAlarm</name>
    <message>
        <source>Limiar excedido: %1 dB desde %2</source>
        <translation>Threshold exceeded: %1 dB since %2</translation>
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
</TS>
