<bloc0000>
NUM200003001
01/03/2000
10023
A réception
Dupont



TTCN
CMDEVis	2	10		20	1
<BLOC0001>
NUM200003002
01/03/2000
10024
A réception
Dupont



TTCN
CMDEÉcrous	2	10		20	1
</BLOC0001>
