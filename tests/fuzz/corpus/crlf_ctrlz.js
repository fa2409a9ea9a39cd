var kitTitle = "Dovrel Kit";
var editionDate = "May 2002";
