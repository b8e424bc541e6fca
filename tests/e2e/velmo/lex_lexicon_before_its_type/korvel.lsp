; The lexicon is made before the attribute type of its meanings, so the type
; is destroyed first when the name space goes at exit.
(make-lexicon early 11)
(def-att-list late (defattribute n BinAtt))
(make-avmeaning-proto late lateavm)
(lex early (dog (lateavm (+n))))
(lex-entry early dog)
(exit)
