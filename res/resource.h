// Resource and command identifiers, shared by vexal.rc and the C++ code.
// Plain #defines only: the resource compiler reads this file too.
#ifndef VEXAL_RESOURCE_H
#define VEXAL_RESOURCE_H

// Menu "Datei"
#define IDM_EXPORT_TEXT 6001
#define IDM_EXPORT_METAFILE 6061
#define IDM_PRINT 6050
#define IDM_EXIT 6052

// Menu "Kanal 1": volts per division (note 6032 for "2V" and 6033 for "10mV")
#define IDM_CH1_20V 6002
#define IDM_CH1_10V 6023
#define IDM_CH1_5V 6024
#define IDM_CH1_2V 6032
#define IDM_CH1_1V 6026
#define IDM_CH1_500MV 6027
#define IDM_CH1_200MV 6028
#define IDM_CH1_100MV 6029
#define IDM_CH1_50MV 6030
#define IDM_CH1_20MV 6031
#define IDM_CH1_10MV 6033
#define IDM_CH1_5MV 6053
#define IDM_CH1_PROBE_1 6034
#define IDM_CH1_PROBE_10 6035
#define IDM_CH1_PROBE_100 6036
#define IDM_CH1_GAIN5 6037

// Menu "Kanal 2": "2V" is 6025, which lies among channel 1's identifiers
#define IDM_CH2_20V 6003
#define IDM_CH2_10V 6038
#define IDM_CH2_5V 6039
#define IDM_CH2_2V 6025
#define IDM_CH2_1V 6040
#define IDM_CH2_500MV 6041
#define IDM_CH2_200MV 6042
#define IDM_CH2_100MV 6043
#define IDM_CH2_50MV 6044
#define IDM_CH2_20MV 6045
#define IDM_CH2_10MV 6046
#define IDM_CH2_5MV 6054
#define IDM_CH2_PROBE_1 6047
#define IDM_CH2_PROBE_10 6048
#define IDM_CH2_PROBE_100 6049
#define IDM_CH2_GAIN5 6051

// Menu "Zeitbasis" ("500us" 6017 stands before "200us" 6016)
#define IDM_TB_50S 6004
#define IDM_TB_20S 6005
#define IDM_TB_10S 6006
#define IDM_TB_5S 6007
#define IDM_TB_2S 6008
#define IDM_TB_1S 6009
#define IDM_TB_500MS 6010
#define IDM_TB_200MS 6011
#define IDM_TB_100MS 6012
#define IDM_TB_50MS 6013
#define IDM_TB_20MS 6014
#define IDM_TB_10MS 6015
#define IDM_TB_5MS 6055
#define IDM_TB_2MS 6056
#define IDM_TB_1MS 6057
#define IDM_TB_500US 6017
#define IDM_TB_200US 6016
#define IDM_TB_100US 6018
#define IDM_TB_50US 6019
#define IDM_TB_20US 6020
#define IDM_TB_10US 6021
#define IDM_TB_5US 6022

// Menu "Interface"
#define IDM_READ_DIRECT 6058
#define IDM_READ_EEPROM 6059
#define IDM_PORT_SETTINGS 6060

// Menu "Info"
#define IDM_ABOUT 6062

#define IDM_FIRST 6001
#define IDM_LAST 6062

// Menu "Ansicht", with its own commands (app/view_commands.*): the view, the spectrum's
// window and span, the math trace and the reference.
#define IDM_VIEW_TIME 6080
#define IDM_VIEW_SPECTRUM 6081
#define IDM_VIEW_XY 6082
#define IDM_WINDOW_HANN 6083
#define IDM_WINDOW_FLATTOP 6084
#define IDM_WINDOW_RECTANGLE 6085
#define IDM_MATH_SUM 6086
#define IDM_MATH_DIFFERENCE 6087
#define IDM_REFERENCE_LOAD 6088
#define IDM_REFERENCE_TAKE 6089
#define IDM_REFERENCE_REMOVE 6090
#define IDM_SPAN_100 6091
#define IDM_SPAN_25 6092
#define IDM_SPAN_5 6093

// The right-click menu "VEXALKONTEXT" (and Ctrl+C, accelerators "VEXAL"): outside
// the menu bar's range, and fixed, since outside tools post them as well
#define IDM_COPY_PICTURE 6070
#define IDM_COPY_VALUES 6071
#define IDM_MEASUREMENTS 6072
#define IDM_CURSORS 6073

// Port dialog "VEXAL": the radio button of COMn has the id 4001 + n; below them
// the list of the ports present and its label (the About dialog's ids are its own)
#define IDC_PORT_GROUP 4001
#define IDC_PORT_COM1 4002
#define IDC_PORT_COM8 4009
#define IDC_PORT_LIST_LABEL 4010
#define IDC_PORT_LIST 4011

// About dialog "VEXALINFO"
#define IDC_INFO_DESCRIPTION 4001
#define IDC_INFO_VERSION 4010
#define IDC_INFO_PICTURE 4011
#define IDB_INFO_PICTURE 8001

// Measurements dialog "VEXALMESSUNGEN": its cells are made at run time from its tables,
// numbered in reading order: the table's first line (the scales) 4100, then the cells
// row by row (row r, column k of n columns: 4101 + n r + k); the cursors' cells from
// 4300 on, in the same way (row r, column k: 4300 + 4 r + k); the "Kopieren" button
#define IDC_MEASURE_SCALE 4100
#define IDC_MEASURE_COPY 4099
#define IDC_CURSOR_CELL 4300

#endif  // VEXAL_RESOURCE_H
