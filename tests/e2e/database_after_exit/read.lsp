(make-tripledb deps 101)
(link-file deps "deps.hdr")
(dump deps)
(get-total-count deps)
