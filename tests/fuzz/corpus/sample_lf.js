// Kit description of the sample disc.
var kitTitle = "Zantic Dovrel Sample Collection";
var editionDate = "December 2026";
