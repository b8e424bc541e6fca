; A hash header asking for blocks of four gigabytes is refused; the run goes on.
(make-tripledb db 7)
(link-file db "h.hdr")
(populate db "triples.txt")
(sync db)
(echo still running)
