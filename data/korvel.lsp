; Start-up file of velmo: loads the English data (attributes, lexicon,
; morphology and the lexical analyzer) and the English grammar.
(load "en/english.lsp")
(load "en/grammar.lsp")

; A sentence the first pass leaves in pieces is parsed again with the
; last-resort links; going on from the first pass's chart instead of starting
; afresh costs 7% fewer instructions on the EWT dev text, with the same or
; better accuracy there.
(continue-second-pass 1)
