<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BitRateTable</name>
    <message>
        <source>%1 kbit/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supported by the device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not supported by the device</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DcfCommissioning</name>
    <message>
        <source>No file given: nothing to commission (see --help).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not in the file, not set: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turns a device description (EDS) into a commissioned configuration file (DCF).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The EDS or DCF to commission.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Node-ID, 1 to 127.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bit rate in kbit/s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network number, 0 to 255.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name of the network.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name of the node.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configured value of an entry; INDEX in hexadecimal, SUB decimal or 0x... May be given several times.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy FILE to OUT and commission the copy.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write a debug log file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show debug messages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show debug messages in detail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show debug messages in the standard form.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trace function calls.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the window, with FILE and OUT if given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language of the texts: de or en (default: the system&apos;s).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update server to ask, e.g. https://127.0.0.1:8443.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Also trust the certificate authority in this PEM file for the update server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save pictures of the windows into DIR and quit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only one FILE, please: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1: %2 is not a number from %3 to %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--set %1: expected INDEX:SUB=VALUE, e.g. 1017:0=1000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: cannot copy %2 there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: cannot open it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: cannot write it; the file was left as it was</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Wrote %1: %n value(s) set</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DcfConfigWindow</name>
    <message>
        <source>DCF Config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ED&amp;S file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device description (.eds) or configuration (.dcf) to start from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the device file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;DCF file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration file (.dcf) to write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose where to write the DCF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Written:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing written yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commissioning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Node-&amp;ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Baud rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ne&amp;twork number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Network name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N&amp;ode name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bit rates of the device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sea&amp;rch:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index, name or data type, e.g. 1018sub1 or UNSIGNED8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find ne&amp;xt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View DCF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Write DCF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View Written DCF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Shift+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the &amp;Folder of the Written DCF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 kbit/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a device file to begin.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Device File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - DCF Config</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Opened %1: %n entries.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The DCF was not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write DCF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the device file and the DCF file first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some values are too large for their data type; they are shown in bold red. Correct them before writing the DCF.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This value is too large for its data type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device files (*.eds *.EDS *.dcf *.DCF);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device configuration files (*.dcf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The device does not support %1 kbit/s.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceDescription</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is too large for a device file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no object dictionary entries.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Man&amp;uals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tip of the Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for &amp;Updates...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About DCF Config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The manual is not installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DCF Config Manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking %1 for updates...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No certificate could be read from %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;DCF Config %1&lt;/b&gt;&lt;br&gt;Commissions CANopen devices: turns a device description (EDS) into a device configuration file (DCF).&lt;br&gt;Built on ZezuzuDOD %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ObjectTable</name>
    <message>
        <source>Drop an EDS file here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sub-index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>&amp;Clear List</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScreenshotTour</name>
    <message>
        <source>%1 could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The DCF could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The manual could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
