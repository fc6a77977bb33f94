<BLOC0000>
NUM260100001
15/01/2026
10001
Réglement à 30 jours
Quincaillerie Dupré; fils
12 rue des Lilas
75011 Paris

TTCN
CMDEVis à bois 4x40	3	12,5	10		
CMDE=SOMME(A1:A9)	1	2			1
CMDECâble "souple", 2,5 mm²	2	10			3
CMDE-20 % sur le prochain envoi					
CMDE					
CMDE@import	      abc	4			1
MEMOLivraison le matin
</BLOC0000>
<BLOC0001>
NUM260200002
03/02/2026
10002
A réception
Bureau Plus



TTCY
CMDERamette A4	5	4,9			1
CMDE+ agrafes	1	3,333			
</BLOC0001>
<BLOC0002>
NUM260300003
3l/03/2026
10001
A réception
Quincaillerie Dupré



TTCN
CMDEGants de manutention	1	8			2
CMDEEnveloppes kraft	    200	      0,045		       9,00	1
</BLOC0002>
<BLOC0003>
NUM251200004
20/12/2025
10003

Électricité Générale



TTCN
</BLOC0003>
<BLOC0004>
NUM260400005
10/04/2026
10002
A réception
Bureau Plus



TTCN
CMDEClasseurs à levier	10	3,5			1
ENVO12/04/2026	COURRIEL
ANNU14/04/2026
</BLOC0004>
