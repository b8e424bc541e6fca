; A hash file keyed by a comparison function this shell does not know.
(make-tripledb deps 11)
(echo linking)
(link-file deps "odd.hdr")
(echo not reached)
