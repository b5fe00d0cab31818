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
        <source>Tarvik, Versão %1</source>
        <translation>Tarvik, Version %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ColourDialog</name>
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
        <source>Anular</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>DataLogger</name>
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
        <source>DATALOGGER</source>
        <translation>DATALOGGER</translation>
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
        <source>Anular</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
