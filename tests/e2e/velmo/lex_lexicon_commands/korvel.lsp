; Attribute vectors as meanings, text meanings and phrases.
(def-att-list syn
  (defattribute n BinAtt)
  (defattribute prep BinAtt)
  (defattribute pl BinAtt))
(make-avmeaning-proto syn synavm)
(make-str-meaning-proto gloss)
(make-lexicon lex1 101)
(lex lex1
  (dog (synavm (+n)) (gloss a pet))
  (in (synavm (+prep)))
  (in front of (synavm (+prep)))
  (a , b c (synavm ()))
  (dog (gloss refused)))
(load-lex lex1 more.lex)
(load-lex lex1 appended.lex :no-dup 0)
(load-lex lex1 missing.lex)
(print-lex lex1 out.lex)
