<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BitRateTable</name>
    <message>
        <source>%1 kbit/s: supported by the device</source>
        <translation>%1 kbit/s: vom Gerät unterstützt</translation>
    </message>
    <message>
        <source>%1 kbit/s: not supported by the device</source>
        <translation>%1 kbit/s: vom Gerät nicht unterstützt</translation>
    </message>
</context>
<context>
    <name>DcfCommissioning</name>
    <message>
        <source>No file given: nothing to commission (see --help).</source>
        <translation>Keine Datei angegeben: nichts in Betrieb zu nehmen (siehe --help).</translation>
    </message>
    <message>
        <source>Not in the file, not set: %1</source>
        <translation>Nicht in der Datei, nicht gesetzt: %1</translation>
    </message>
    <message>
        <source>Turns a device description (EDS) into a commissioned configuration file (DCF).</source>
        <translation>Erstellt aus einer Gerätebeschreibung (EDS) eine in Betrieb genommene Konfigurationsdatei (DCF).</translation>
    </message>
    <message>
        <source>The EDS or DCF to commission.</source>
        <translation>Die EDS oder DCF, die in Betrieb genommen wird.</translation>
    </message>
    <message>
        <source>Node-ID, 1 to 127.</source>
        <translation>Knoten-ID, 1 bis 127.</translation>
    </message>
    <message>
        <source>Bit rate in kbit/s.</source>
        <translation>Bitrate in kbit/s.</translation>
    </message>
    <message>
        <source>Network number, 0 to 255.</source>
        <translation>Netzwerknummer, 0 bis 255.</translation>
    </message>
    <message>
        <source>Name of the network.</source>
        <translation>Name des Netzwerks.</translation>
    </message>
    <message>
        <source>Name of the node.</source>
        <translation>Name des Knotens.</translation>
    </message>
    <message>
        <source>Configured value of an entry; INDEX in hexadecimal, SUB decimal or 0x... May be given several times.</source>
        <translation>Konfigurierter Wert eines Eintrags; INDEX hexadezimal, SUB dezimal oder 0x... Darf mehrmals angegeben werden.</translation>
    </message>
    <message>
        <source>Copy FILE to OUT and commission the copy.</source>
        <translation>FILE nach OUT kopieren und die Kopie in Betrieb nehmen.</translation>
    </message>
    <message>
        <source>Write a debug log file.</source>
        <translation>Eine Debug-Protokolldatei schreiben.</translation>
    </message>
    <message>
        <source>Show debug messages.</source>
        <translation>Debug-Meldungen anzeigen.</translation>
    </message>
    <message>
        <source>Show debug messages in detail.</source>
        <translation>Debug-Meldungen ausführlich anzeigen.</translation>
    </message>
    <message>
        <source>Show debug messages in the standard form.</source>
        <translation>Debug-Meldungen in der Standardform anzeigen.</translation>
    </message>
    <message>
        <source>Trace function calls.</source>
        <translation>Funktionsaufrufe protokollieren.</translation>
    </message>
    <message>
        <source>Open the window, with FILE and OUT if given.</source>
        <translation>Das Fenster öffnen, mit FILE und OUT, falls angegeben.</translation>
    </message>
    <message>
        <source>Language of the texts: de or en (default: the system&apos;s).</source>
        <translation>Sprache der Texte: de oder en (Vorgabe: die des Systems).</translation>
    </message>
    <message>
        <source>Update server to ask, e.g. https://127.0.0.1:8443.</source>
        <translation>Zu fragender Update-Server, z. B. https://127.0.0.1:8443.</translation>
    </message>
    <message>
        <source>Also trust the certificate authority in this PEM file for the update server.</source>
        <translation>Für den Update-Server auch der Zertifizierungsstelle in dieser PEM-Datei vertrauen.</translation>
    </message>
    <message>
        <source>Save pictures of the windows into DIR and quit.</source>
        <translation>Bilder der Fenster in DIR speichern und beenden.</translation>
    </message>
    <message>
        <source>Only one FILE, please: %1</source>
        <translation>Bitte nur eine FILE: %1</translation>
    </message>
    <message>
        <source>--%1: %2 is not a number from %3 to %4</source>
        <translation>--%1: %2 ist keine Zahl von %3 bis %4</translation>
    </message>
    <message>
        <source>--set %1: expected INDEX:SUB=VALUE, e.g. 1017:0=1000</source>
        <translation>--set %1: erwartet INDEX:SUB=WERT, z. B. 1017:0=1000</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>%1: Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>%1: cannot copy %2 there</source>
        <translation>%1: %2 kann nicht dorthin kopiert werden</translation>
    </message>
    <message>
        <source>%1: cannot open it</source>
        <translation>%1: kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>%1: cannot write it; the file was left as it was</source>
        <translation>%1: kann nicht geschrieben werden; die Datei blieb unverändert</translation>
    </message>
    <message numerus="yes">
        <source>Wrote %1: %n value(s) set</source>
        <translation>
            <numerusform>%1 geschrieben: %n Wert gesetzt</numerusform>
            <numerusform>%1 geschrieben: %n Werte gesetzt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DcfConfigWindow</name>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>ED&amp;S file:</source>
        <translation>&amp;EDS-Datei:</translation>
    </message>
    <message>
        <source>Device description (.eds) or configuration (.dcf) to start from</source>
        <translation>Gerätebeschreibung (.eds) oder Konfiguration (.dcf) als Ausgangspunkt</translation>
    </message>
    <message>
        <source>Choose the device file</source>
        <translation>Gerätedatei wählen</translation>
    </message>
    <message>
        <source>&amp;DCF file:</source>
        <translation>D&amp;CF-Datei:</translation>
    </message>
    <message>
        <source>Configuration file (.dcf) to write</source>
        <translation>Zu schreibende Konfigurationsdatei (.dcf)</translation>
    </message>
    <message>
        <source>Choose where to write the DCF</source>
        <translation>Wählen, wohin die DCF geschrieben wird</translation>
    </message>
    <message>
        <source>Written:</source>
        <translation>Geschrieben:</translation>
    </message>
    <message>
        <source>Nothing written yet</source>
        <translation>Noch nichts geschrieben</translation>
    </message>
    <message>
        <source>Commissioning</source>
        <translation>Inbetriebnahme</translation>
    </message>
    <message>
        <source>Node-&amp;ID:</source>
        <translation>&amp;Knoten-ID:</translation>
    </message>
    <message>
        <source>&amp;Baud rate:</source>
        <translation>Baud&amp;rate:</translation>
    </message>
    <message>
        <source>Ne&amp;twork number:</source>
        <translation>Netz&amp;werknummer:</translation>
    </message>
    <message>
        <source>&amp;Network name:</source>
        <translation>&amp;Netzwerkname:</translation>
    </message>
    <message>
        <source>N&amp;ode name:</source>
        <translation>Kn&amp;otenname:</translation>
    </message>
    <message>
        <source>Sea&amp;rch:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <source>Index, name or data type, e.g. 1018sub1 or UNSIGNED8</source>
        <translation>Index, Name oder Datentyp, z. B. 1018sub1 oder UNSIGNED8</translation>
    </message>
    <message>
        <source>Find ne&amp;xt</source>
        <translation>Wei&amp;tersuchen</translation>
    </message>
    <message>
        <source>&amp;View DCF</source>
        <translation>DCF &amp;anzeigen</translation>
    </message>
    <message>
        <source>&amp;Write DCF</source>
        <translation>DCF schre&amp;iben</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;View Written DCF</source>
        <translation>Geschriebene DCF &amp;anzeigen</translation>
    </message>
    <message>
        <source>Open the &amp;Folder of the Written DCF</source>
        <translation>&amp;Ordner der geschriebenen DCF öffnen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>%1 kbit/s</source>
        <translation>%1 kbit/s</translation>
    </message>
    <message>
        <source>Open a device file to begin.</source>
        <translation>Öffnen Sie zuerst eine Gerätedatei.</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find &amp;All</source>
        <translation>&amp;Alle suchen</translation>
    </message>
    <message>
        <source>Open Device File</source>
        <translation>Gerätedatei öffnen</translation>
    </message>
    <message numerus="yes">
        <source>Opened %1: %n entries.</source>
        <translation>
            <numerusform>%1 geöffnet: %n Eintrag.</numerusform>
            <numerusform>%1 geöffnet: %n Einträge.</numerusform>
        </translation>
    </message>
    <message>
        <source>The DCF was not written.</source>
        <translation>Die DCF wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>Write DCF</source>
        <translation>DCF schreiben</translation>
    </message>
    <message>
        <source>Choose the device file and the DCF file first.</source>
        <translation>Wählen Sie zuerst die Gerätedatei und die DCF-Datei.</translation>
    </message>
    <message>
        <source>Some values are too large for their data type; they are shown in bold red. Correct them before writing the DCF.</source>
        <translation>Einige Werte sind für ihren Datentyp zu groß; sie sind fett und rot dargestellt. Korrigieren Sie sie, bevor Sie die DCF schreiben.</translation>
    </message>
    <message>
        <source>Open the folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>This value is too large for its data type.</source>
        <translation>Dieser Wert ist für seinen Datentyp zu groß.</translation>
    </message>
    <message>
        <source>Device files (*.eds *.EDS *.dcf *.DCF);;All files (*)</source>
        <translation>Gerätedateien (*.eds *.EDS *.dcf *.DCF);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Device configuration files (*.dcf)</source>
        <translation>Gerätekonfigurationsdateien (*.dcf)</translation>
    </message>
    <message>
        <source>The device does not support %1 kbit/s.</source>
        <translation>Das Gerät unterstützt %1 kbit/s nicht.</translation>
    </message>
    <message>
        <source>Bit rates (kbit/s)</source>
        <translation>Bitraten (kbit/s)</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
</context>
<context>
    <name>DeviceDescription</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a device file.</source>
        <translation>%1 ist für eine Gerätedatei zu groß.</translation>
    </message>
    <message>
        <source>%1 holds no object dictionary entries.</source>
        <translation>%1 enthält keine Einträge eines Objektverzeichnisses.</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Handbuch</translation>
    </message>
    <message>
        <source>&amp;Tip of the Day</source>
        <translation>&amp;Tipp des Tages</translation>
    </message>
    <message>
        <source>Check for &amp;Updates...</source>
        <translation>Nach &amp;Updates suchen...</translation>
    </message>
    <message>
        <source>&amp;About DCF Config</source>
        <translation>&amp;Über DCF Config</translation>
    </message>
    <message>
        <source>The manual is not installed.</source>
        <translation>Das Handbuch ist nicht installiert.</translation>
    </message>
    <message>
        <source>DCF Config Manual</source>
        <translation>DCF Config Handbuch</translation>
    </message>
    <message>
        <source>Asking %1 for updates...</source>
        <translation>Frage %1 nach Updates...</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>No certificate could be read from %1.</source>
        <translation>Aus %1 konnte kein Zertifikat gelesen werden.</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
    <message>
        <source>&lt;b&gt;DCF Config %1&lt;/b&gt;&lt;br&gt;Commissioning of CANopen devices&lt;br&gt;ZezuzuDOD %2</source>
        <translation>&lt;b&gt;DCF Config %1&lt;/b&gt;&lt;br&gt;Inbetriebnahme von CANopen-Geräten&lt;br&gt;ZezuzuDOD %2</translation>
    </message>
    <message>
        <source>Ma&amp;nuals</source>
        <translation>Hand&amp;bücher</translation>
    </message>
    <message>
        <source>The update server could not be asked.</source>
        <translation>Der Update-Server konnte nicht gefragt werden.</translation>
    </message>
</context>
<context>
    <name>ObjectTable</name>
    <message>
        <source>Drop an EDS file here</source>
        <translation>EDS-Datei hier ablegen</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Sub-index</source>
        <translation>Subindex</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Data type</source>
        <translation>Datentyp</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Zugriff</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>&amp;Clear List</source>
        <translation>Liste &amp;leeren</translation>
    </message>
</context>
<context>
    <name>ScreenshotTour</name>
    <message>
        <source>%1 could not be made.</source>
        <translation>%1 konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>%1 cannot be created.</source>
        <translation>%1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The DCF could not be written.</source>
        <translation>Die DCF konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The manual could not be opened.</source>
        <translation>Das Handbuch konnte nicht geöffnet werden.</translation>
    </message>
</context>
</TS>
