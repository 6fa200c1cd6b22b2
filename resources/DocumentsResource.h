// Identifiers of the strings of the chart's documents, pictures, report and
// menu commands for hosts. String tables are kept in blocks of sixteen
// identifiers and no other resource script of the library uses 1696 to 1807.
#pragma once

// Refusals of the host's calls.
#define IDS_HOST_BUSY 1700
#define IDS_HOST_NOT_A_COMMAND 1701
#define IDS_HOST_NOT_XLS 1702
#define IDS_PICTURE_TYPE 1703
#define IDS_PICTURE_SIZE 1704
#define IDS_PRINTER_NOT_FOUND 1705
#define IDS_PRINT_FAILED 1706

// A file that cannot be saved or opened: "%1" the file, "%2" the reason.
#define IDS_FILE_CANNOT_SAVE 1712
#define IDS_FILE_CANNOT_OPEN 1713
#define IDS_PICTURE_CANNOT_SAVE 1714
#define IDS_REASON_NO_FOLDER 1715
#define IDS_REASON_READ_ONLY 1716
#define IDS_REASON_LOCKED 1717
#define IDS_REASON_DENIED 1718
#define IDS_REASON_NO_FILE 1719
#define IDS_REASON_DISK_FULL 1720
#define IDS_REASON_NO_PICTURE 1721
#define IDS_REASON_IS_FOLDER 1722
#define IDS_REASON_TOO_LARGE 1723
#define IDS_DOC_NO_NUMBER 1724
#define IDS_DOC_NO_TEXT 1725
#define IDS_DOC_BAD_SETTING 1726
#define IDS_REASON_NOT_KEPT 1727

// The printed report.
#define IDS_REPORT_TITLE 1728
#define IDS_REPORT_DATE 1729
#define IDS_REPORT_PRESSURE 1730
#define IDS_REPORT_POINTS 1731
#define IDS_REPORT_PROCESSES 1732
#define IDS_REPORT_MIXES 1733
#define IDS_REPORT_CONTINUED 1734
#define IDS_REPORT_PAGE 1735
#define IDS_REPORT_NAME 1736
#define IDS_REPORT_T 1737
#define IDS_REPORT_RH 1738
#define IDS_REPORT_D 1739
#define IDS_REPORT_I 1740
#define IDS_REPORT_WET_BULB 1741
#define IDS_REPORT_DEW_POINT 1742
#define IDS_REPORT_NO_NAME 1743
#define IDS_REPORT_FROM 1744
#define IDS_REPORT_TO 1745
#define IDS_REPORT_FLOW 1746
#define IDS_REPORT_HEAT 1747
#define IDS_REPORT_MOISTURE 1748
#define IDS_REPORT_FRESH 1749
#define IDS_REPORT_RETURN 1750
#define IDS_REPORT_MIX 1751
#define IDS_REPORT_TOTAL_FLOW 1752
#define IDS_REPORT_FRESH_FLOW 1753
