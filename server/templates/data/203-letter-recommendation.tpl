# Pennova writing template (our own text)
id: 203
kind: high
category: 书信|Letters
name: 推荐信|Letter of recommendation
description: 适用于老师推荐学生、或推荐朋友参加项目的书信。说明与被推荐人的关系，列举其能力和具体事例，最后明确表示推荐。模板以男生为例；推荐女生时，把全文的 he、him、his 改为 she、her、her。
title: A Letter of Recommendation for [被推荐人，如 Wang Ming] || 关于[被推荐人，如 Wang Ming]的推荐信

[block]
Dear [收信人，如 Admissions Committee], || 尊敬的[收信人，如 Admissions Committee]：

[block]
It is my pleasure to recommend [被推荐人，如 Wang Ming] for [项目，如 your summer exchange program]. || 我很高兴推荐[被推荐人，如 Wang Ming]参加[项目，如 your summer exchange program]。
I have known him for [时间，如 two years] as his [关系，如 English teacher]. || 作为他的[关系，如 English teacher]，我认识他已有[时间，如 two years]。
[alternative]
I am writing to recommend [被推荐人，如 Wang Ming], one of the best students I have taught. || 我写信推荐[被推荐人，如 Wang Ming]，他是我教过的最优秀的学生之一。
I was his [关系，如 English teacher] for [时间，如 two years]. || 我做了他[时间，如 two years]的[关系，如 English teacher]。

[block]
He is a bright and hard-working student. || 他是一个聪明勤奋的学生。
He always finishes his work on time and asks good questions in class. || 他总是按时完成作业，并在课堂上提出好问题。
His grades have been among the top [比例，如 five percent] of his class. || 他的成绩一直位于班级前[比例，如 five percent]。
[alternative]
He is not only a good student but also a kind person. || 他不仅是个好学生，还是一个善良的人。
He is always ready to help his classmates with their studies. || 他总是乐于帮助同学学习。

[block]
I was most impressed by [事例，如 the way he organised an English speech contest last year]. || 最让我印象深刻的是[事例，如 the way he organised an English speech contest last year]。
It showed [品质，如 his strong sense of duty and his ability to lead a team]. || 这体现了[品质，如 his strong sense of duty and his ability to lead a team]。

[block]
I am sure he will do well in your program. || 我相信他在贵项目中会表现出色。
I recommend him without any doubt. || 我毫无保留地推荐他。
Please feel free to contact me if you need more information. || 如需更多信息，请随时与我联系。
[alternative]
For these reasons, I give him my highest recommendation. || 基于以上原因，我给予他最高的推荐。
If you have any questions, please write to me at [邮箱，如 zhanglin@example.com]. || 如有任何问题，请写信至[邮箱，如 zhanglin@example.com]。

[block]
Yours sincerely, \n || 此致敬礼，\n
[推荐人姓名，如 Zhang Lin] || [推荐人姓名，如 Zhang Lin]

[common]
He has a great interest in science. || 他对科学有浓厚的兴趣。
He is one of the most able students I have met. || 他是我见过的最能干的学生之一。
He gets along well with his classmates. || 他和同学们相处得很好。
He never gives up when he meets difficulties. || 遇到困难时他从不放弃。
He has shown great skill in public speaking. || 他在演讲方面表现出很强的能力。
He is honest, careful and full of energy. || 他诚实、细心、充满活力。
I believe he will be a valuable member of your team. || 我相信他会成为你们团队中有价值的一员。
I am confident that he will make great progress. || 我相信他会取得很大的进步。
