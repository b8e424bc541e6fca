; A small grammar network: nouns, determiners, prepositions and verbs.
(def-korvel-parser net :attribute-vector-type syn :lexical-attributes (cat num args head_final node lexitem)
  :default-percolating-attributes (num) :show-attributes (cat num))
(def-category Det)
(def-category A)
(def-category N (visible-atts (cat num)) (subcat-atts (num)))
(def-category P (visible-atts (cat)))
(def-category V (visible-atts (cat)) (subcat-atts (cat num)))
(def-category NP
  (visible-atts (cat num))
  (def-modifiers NP
    (? (Det (dep-type det)))
    (* (A (dep-type amod) (dep-weight 2.0)))
    (:head (N (dep-type head)))
    (* (PP (dep-type pmod) (dep-weight 0.5)))))
(def-category PP
  (def-modifiers PP (:head (P)) ((NP (dep-type pobj)))))
(def-category S
  (def-modifiers S (+ (NP (dep-type subj))) (:head (V)) (* (PP (dep-type vmod)) (Nowhere (dep-type x)))))
(roots (S) (NP))
