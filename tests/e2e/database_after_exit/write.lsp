; Counts written to a writable database and never synced: the end of the
; input ends the process.
(make-tripledb deps 101)
(link-file deps "deps.hdr")
(populate deps "triples.txt")
