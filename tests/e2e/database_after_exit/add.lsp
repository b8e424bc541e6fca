; More counts, then the exit command ends the process.
(make-tripledb deps 101)
(link-file deps "deps.hdr")
(add-triples deps obj "more.txt")
(exit)
