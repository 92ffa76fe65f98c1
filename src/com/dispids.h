/* The dispatch identifiers of the members that the type libraries describe. The same
   numbers are answered by GetIDsOfNames for these names on every object the component
   serves, so a client that binds through the type library and one that asks by name reach
   the same member. Names are compared without regard to case, so "Item" and "item" share
   one identifier. The default member of an object is DISPID_VALUE (0), as always: the
   working-file list declares its Item under that identifier. Plain #defines: read by widl
   and by C++. */
#ifndef R58046_COM_DISPIDS_H
#define R58046_COM_DISPIDS_H

#define R58046_DISPID_BRAVONUANCE 1
#define R58046_DISPID_COMPLEMENT 2
#define R58046_DISPID_CAUSEERREUR 3
#define R58046_DISPID_ERREURGENERALE 4
#define R58046_DISPID_FERMER 5
#define R58046_DISPID_INITQUESTION 6
#define R58046_DISPID_QUITTER 7
#define R58046_DISPID_TESTEPOINT 8
#define R58046_DISPID_COMPLEMENTINFO 9
#define R58046_DISPID_FICHIERSDETRAVAIL 10
#define R58046_DISPID_PATHDOSSIERPARDEFAUT 11
#define R58046_DISPID_PREPARE 12
#define R58046_DISPID_ADD 13
#define R58046_DISPID_COUNT 14
#define R58046_DISPID_NOMSOURCE 15
#define R58046_DISPID_NOMDEST 16
#define R58046_DISPID_MODELE 17
#define R58046_DISPID_ITEM 18

/* Names not in the table get identifiers from here on, made from the name alone, so that
   every process serving objects answers the same identifier for a name. */
#define R58046_DISPID_FIRST_DYNAMIC 0x1000

#endif
