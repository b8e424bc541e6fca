; The lexical analyzer driven by a parser without categories: lookup through
; endings, multi-word entries in both key forms, lexical rules with runs of
; matches, debugging, insertion before an anchor, an LL rule, the tag and
; focus markers, and the messages of the analyzer's commands.
(def-att-list syn (defattribute cat EnumAtt (allowable-values n v d p a)) (defattribute sg BinAtt))
(make-avmeaning-proto syn avm)
(make-lexicon words 101 :ending-table ((p s plural) (p "" base)))
(make-llrule after-the (the ~ (word (t))) (assert (make-lexitem (low) (high) (nil) :root around-zorp)))
(lex words
  (the (avm ((cat d))))
  (dog (avm ((cat n) +sg)))
  (bark (avm ((cat v))) (avm ((cat n) +sg)))
  (in (avm ((cat p))))
  (in front of (avm ((cat p))))
  (spite of , in (avm ((cat p))))
  (New York (avm ((cat n) +sg)))
  (zorp (llrule after-the)))
(def-rules lex-rules
  (unknown (not-in-lexicon) (assert (make-lexitem (low) (high) (meaning) :root unknown-word)))
  (categories (lexitem (att (defined (cat)))) (comp (litem) (set-cate (att (att-str-val cat))))))
(insert-lex-rules lex-rules categories
  (ll (lexitem (root (str= zorp))) (apply-llrule)))
(def-rules lex-rules
  (noun-runs (seq (lexitem (t)) (lexitem (t))) :act-on-all-matches (add-weight (comp ($ 1) (litem)) 1)))
(debug-rules lex-rules noun)
(make-lex-analyzer ana :lexicon words :lexical-rules lex-rules)
(set-lex-analyzer-pos-marker ana /)
(set-lex-analyzer-focus-marker ana *)
(def-korvel-parser lexical-items :attribute-vector-type syn :lexical-analyzer ana)
(debug-rules no-such-rules)
(insert-lex-rules no-such-rules x (r (word (t)) (t)))
