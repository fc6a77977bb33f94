<BLOC0002>
NUM200003003
01/03/2000
10023
A réception
Dupont



TTCY
CMDEClous	2	10		20	1
MEMOfin
ZZZZ
</BLOC0002>
</BLOC0007>
<BLOC0000>
NUM200003001
01/03/2000
10023
A réception
Dupont



TTCN
LIVR20/01/2027
CMDEVis	2	10		20	1
</BLOC0000>
<BLOC0001>
NUM200003002
01/03/2000
10023
A réception
Dupont



TTCN
LIVR20/01/2027
CMDEArticle 01, référence 1001		1,50			2
REFDevis n° 4711
CMDEArticle 02, référence 1002		2,50			3

CMDEArticle 03, référence 1003		3,50			1
CMDEArticle 04, référence 1004		4,50			2
CMDEArticle 05, référence 1005		5,50			3
CMDEArticle 06, référence 1006		6,50			1
CMDEArticle 07, référence 1007		7,50			2
CMDEArticle 08, référence 1008		8,50			3
CMDEArticle 09, référence 1009		9,50			1
CMDEArticle 10, référence 1010		10,50			2
CMDEArticle 11, référence 1011		11,50			3
CMDEArticle 12, référence 1012		12,50			1
CMDEArticle 13, référence 1013		13,50			2
CMDEArticle 14, référence 1014		14,50			3
CMDEArticle 15, référence 1015		15,50			1
CMDEArticle 16, référence 1016		16,50			2
CMDEArticle 17, référence 1017		17,50			3
CMDEArticle 18, référence 1018		18,50			1
CMDEArticle 19, référence 1019		19,50			2
CMDEArticle 20, référence 1020		20,50			3
CMDEArticle 21, référence 1021		21,50			1
CMDEArticle 22, référence 1022		22,50			2
CMDEArticle 23, référence 1023		23,50			3
CMDEArticle 24, référence 1024		24,50			1
CMDEArticle 25, référence 1025		25,50			2
CMDEArticle 26, référence 1026		26,50			3
CMDEArticle 27, référence 1027		27,50			1
CMDEArticle 28, référence 1028		28,50			2
CMDEArticle 29, référence 1029		29,50			3
CMDEArticle 30, référence 1030		30,50			1
CMDEArticle 31, référence 1031		31,50			2
CMDEArticle 32, référence 1032		32,50			3
CMDEArticle 33, référence 1033		33,50			1
CMDEArticle 34, référence 1034		34,50			2
CMDEArticle 35, référence 1035		35,50			3
CMDEArticle 36, référence 1036		36,50			1
CMDEArticle 37, référence 1037		37,50			2
CMDEArticle 38, référence 1038		38,50			3
CMDEArticle 39, référence 1039		39,50			1
CMDEArticle 40, référence 1040		40,50			2
CMDEArticle 41, référence 1041		41,50			3
CMDEArticle 42, référence 1042		42,50			1
CMDEArticle 43, référence 1043		43,50			2
CMDEArticle 44, référence 1044		44,50			3
CMDEArticle 45, référence 1045		45,50			1
CMDEArticle 46, référence 1046		46,50			2
CMDEArticle 47, référence 1047		47,50			3
CMDEArticle 48, référence 1048		48,50			1
CMDEArticle 49, référence 1049		49,50			2
CMDEArticle 50, référence 1050		50,50			3
CMDEArticle 51, référence 1051		51,50			1
CMDEArticle 52, référence 1052		52,50			2
CMDEArticle 53, référence 1053		53,50			3
CMDEArticle 54, référence 1054		54,50			1
CMDEArticle 55, référence 1055		55,50			2
CMDEArticle 56, référence 1056		56,50			3
CMDEArticle 57, référence 1057		57,50			1
CMDEArticle 58, référence 1058		58,50			2
CMDEArticle 59, référence 1059		59,50			3
CMDEArticle 60, référence 1060		60,50			1
CMDEArticle 61, référence 1061		61,50			2
CMDEArticle 62, référence 1062		62,50			3
CMDEArticle 63, référence 1063		63,50			1
REFaprès la ligne 63   
CMDEArticle 64, référence 1064		64,50			2
XTRAÿ fin
CMDEArticle 65, référence 1065		65,50			3
REFDevis n° 4712, après les lignes
MEMONote, ligne 1
VUE le 02/03/2000 par M. Martin
MEMONote, ligne 2
FINI après la note
</BLOC0001>
