# The example chart (examples/sales_cn.json, its texts and values copied here)
# drawn by gnuplot's cairo PNG terminal, in the team's peer style.
#   gnuplot -c sales_cn.gp OUT.png
set terminal pngcairo size 560,372 enhanced font "AR PL UMing CN,8" background "#eef3f9"
set output ARG1
$sales << EOD
上海 486.5
杭州 312.0
南京 295.4
苏州 268.9
宁波 201.3
合肥 176.8
无锡 154.2
温州 139.6
EOD
set title "{/:Bold=12 华东区季度销售额}\n{/=8 2026年 各城市门店汇总(单位: 万元)}"
set xlabel "城市"
set ylabel "销售额"
set yrange [0:500]
set ytics 50 nomirror font ",7.5"
set xtics rotate by -90 nomirror scale 0,0 font ",8"
set grid ytics lc rgb "#c8c8c8" lw 1 lt 1
set border 3
set style fill solid 1.0 noborder
set boxwidth 0.7
unset key
plot $sales using 0:2:xtic(1) with boxes lc rgb "#1f77b4"
