<BLOC0000>
NUM200003001
01/03/2000
10000
A réception
Dupont



TTCN
CMDEArticle 0	2	10		20	1
<BLOC0001>
NUM200003002
01/03/2000
10001
A réception
Dupont



TTCN
CMDEArticle 1	2	10		20	1
<BLOC0002>
NUM200003003
01/03/2000
10002
A réception
Dupont



TTCN
CMDEArticle 2	2	10		20	1
<BLOC0003>
NUM200003004
01/03/2000
10003
A réception
Dupont



TTCN
CMDEArticle 3	2	10		20	1
<BLOC0004>
NUM200003005
01/03/2000
10004
A réception
Dupont



TTCN
CMDEArticle 4	2	10		20	1
<BLOC0005>
NUM200003006
01/03/2000
10005
A réception
Dupont



TTCN
CMDEArticle 5	2	10		20	1
<BLOC0006>
NUM200003007
01/03/2000
10006
A réception
Dupont



TTCN
CMDEArticle 6	2	10		20	1
<BLOC0007>
NUM200003008
01/03/2000
10007
A réception
Dupont



TTCN
CMDEArticle 7	2	10		20	1
<BLOC0008>
NUM200003009
01/03/2000
10008
A réception
Dupont



TTCN
CMDEArticle 8	2	10		20	1
<BLOC0009>
NUM200003010
01/03/2000
10009
A réception
Dupont



TTCN
CMDEArticle 9	2	10		20	1
<BLOC0010>
NUM200003011
01/03/2000
10010
A réception
Dupont



TTCN
CMDEArticle 10	2	10		20	1
<BLOC0011>
NUM200003012
01/03/2000
10011
A réception
Dupont



TTCN
CMDEArticle 11	2	10		20	1
