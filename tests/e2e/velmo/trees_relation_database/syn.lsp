(def-att-list syn
  (defattribute cat EnumAtt (allowable-values n v p j i d c a x))
  (defattribute num EnumAtt (allowable-values sg pl))
  (defattribute args ListAtt)
  (defattribute head_final BinAtt)
  (defattribute node StrAtt)
  (defattribute lexitem EntAtt)
  (defattribute cform StrAtt))
(init-attributes)
